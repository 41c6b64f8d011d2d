// End to end: quenda.exe started against a prepared registry, worked through its real controls
// and keys, and the registry checked after it has ended.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <span>
#include <thread>
#include <tuple>

#include "driver_win32.h"

namespace quenda::e2e {
namespace {

using C = ControlId;

// The controls the automatic mode greys, with "Starting Auto Logon".
constexpr C kCredentials[] = {C::Check1, C::Text3,  C::Text4,  C::Text6, C::Text2,
                              C::Label4, C::Label5, C::Label6, C::Label3};

const Settings kEnabled = {{L"AutoAdminLogon", L"1"},
                           {L"DefaultUserName", L"olduser"},
                           {L"DefaultPassword", L"oldpw"},
                           {L"DefaultDomainName", L"OLDDOM"},
                           {L"Quenda", L"0"},
                           {L"Run", L"C:\\Old\\Quenda.exe"}};

unsigned long StyleOf(Window window, int which = GWL_STYLE) {
  return static_cast<unsigned long>(GetWindowLongPtrW(window, which));
}

using DialogE2E = E2ETest;

TEST_F(DialogE2E, FreshSystemShowsEmptyEnabledFieldsAndTheKeyboardAloneApplies) {
  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  EXPECT_EQ(run.Text(C::Form1), L"Quenda");
  EXPECT_EQ(run.Text(C::Label2), kTestComputerName);
  EXPECT_EQ(run.Text(C::Text3) + run.Text(C::Text2), L"");
  // Password boxes are measured, not read: Windows keeps their text from other processes.
  EXPECT_EQ(SendMessageW(run.Item(C::Text4), WM_GETTEXTLENGTH, 0, 0), 0);
  EXPECT_EQ(SendMessageW(run.Item(C::Text6), WM_GETTEXTLENGTH, 0, 0), 0);
  EXPECT_FALSE(run.Checked(C::Check1));
  EXPECT_FALSE(run.Checked(C::Check2));
  for (C id : kCredentials)
    EXPECT_TRUE(run.Enabled(id)) << "control " << static_cast<int>(id);
  EXPECT_TRUE(run.WaitForFocus(C::Check1));
  // A fixed tool window with a close box only; check boxes whose state the dialog sets itself
  // (an automatic box would tick before the handler decides); masked password boxes; a
  // read-only panel text with both scroll bars that Tab never reaches.
  EXPECT_TRUE(StyleOf(run.Item(C::Form1), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(StyleOf(run.Item(C::Form1)) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
  for (C box : {C::Check1, C::Check2})
    EXPECT_EQ(StyleOf(run.Item(box)) & BS_TYPEMASK, static_cast<unsigned long>(BS_CHECKBOX));
  for (C box : {C::Text4, C::Text6})
    EXPECT_EQ(SendMessageW(run.Item(box), EM_GETPASSWORDCHAR, 0, 0), L'*');
  const unsigned long panel = ES_MULTILINE | ES_READONLY | WS_HSCROLL | WS_VSCROLL;
  EXPECT_EQ(StyleOf(run.Item(C::Text1)) & (panel | WS_TABSTOP), panel);

  // A clicked button takes the focus and the default with it: Enter presses About again.
  const auto narrowAndOpen = [&] {
    RECT client{};
    return IsWindowVisible(run.Item(C::Form1)) && GetClientRect(run.Item(C::Form1), &client) &&
           client.right < Pixels(5000, DriverDpi());
  };
  run.Click(C::Command3);
  ASSERT_FALSE(narrowAndOpen());
  run.PressKey(VK_RETURN);
  EXPECT_TRUE(WaitUntil(narrowAndOpen, 2s));

  // Alt+S ticks "Starting Auto Logon"; Tab moves on to the user name; Enter applies.
  run.PressAccessKey(L's');
  EXPECT_TRUE(WaitUntil([&] { return run.Checked(C::Check1); }, 2s));
  run.PressKey(VK_TAB);
  ASSERT_TRUE(run.WaitForFocus(C::Text3));
  run.TypeChars(L"enter-user");
  EXPECT_TRUE(WaitUntil([&] { return run.Text(C::Text3) == L"enter-user"; }, 2s));
  run.PressKey(VK_RETURN);
  ASSERT_TRUE(run.WaitForExit());
  // Empty texts are deleted, not stored. Started from the build folder, whose path has no blank,
  // the Run entry is left unquoted.
  EXPECT_EQ(StoredSettings(), (Settings{{L"AutoAdminLogon", L"1"},
                                        {L"DefaultUserName", L"enter-user"},
                                        {L"Quenda", L"0"},
                                        {L"Run", ProgramDirectory() + L"\\Quenda.exe"}}));
}

TEST_F(DialogE2E, EnablingByOkAfterAPasswordMismatchWritesEveryValueAndAQuotedRunEntry) {
  // A renamed copy in a folder with a blank: the entry names that folder and always Quenda.exe.
  const auto folder = std::filesystem::temp_directory_path() / L"Quenda E2E";
  std::filesystem::create_directories(folder);
  const auto copy = folder / L"renamed.exe";
  std::filesystem::copy_file(QuendaExe(), copy, std::filesystem::copy_options::overwrite_existing);
  {
    QuendaRun run(copy.wstring());
    ASSERT_TRUE(run.Ready());
    run.Click(C::Check1);
    run.Type(C::Text3, L"Admin E2E");
    run.Type(C::Text4, L"pa$$ word");
    run.Type(C::Text6, L"pa$$ Word");
    run.Type(C::Text2, L"WORKGROUP-E2E");
    PostMessageW(run.Item(C::Command1), BM_CLICK, 0, 0);  // no wait: OK opens a message box
    EXPECT_EQ(run.AnswerMessageBox(), L"Quenda: Not Confirmed password, please keyin again.");
    // Nothing written and still open, the password box focused with its whole text selected.
    EXPECT_EQ(StoredSettings(), Settings{});
    EXPECT_EQ(run.ExitCode(), STILL_ACTIVE);
    EXPECT_TRUE(run.WaitForFocus(C::Text4));
    EXPECT_EQ(SendMessageW(run.Item(C::Text4), EM_GETSEL, 0, 0), MAKELONG(0, 9));

    run.Type(C::Text6, L"pa$$ word");
    run.Click(C::Command1);
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.ExitCode(), 0u);
  }
  std::filesystem::remove_all(folder);
  EXPECT_EQ(StoredSettings(),
            (Settings{{L"AutoAdminLogon", L"1"},
                      {L"DefaultUserName", L"Admin E2E"},
                      {L"DefaultPassword", L"pa$$ word"},
                      {L"DefaultDomainName", L"WORKGROUP-E2E"},
                      {L"Quenda", L"0"},
                      {L"Run", L"\"" + (folder / L"Quenda.exe").wstring() + L"\""}}));
}

// From the stored settings, with "Starting Auto Logon" cleared and the user name changed: OK
// disables the logon, deleting the password and the Run entry; every other way out writes nothing.
TEST_F(DialogE2E, OkDisablesWhileCancelEscAndTheCloseBoxWriteNothing) {
  const Settings disabled = {{L"AutoAdminLogon", L"0"},
                             {L"DefaultUserName", L"changed"},
                             {L"DefaultDomainName", L"OLDDOM"},
                             {L"Quenda", L"0"}};
  const std::tuple<const char*, std::function<void(QuendaRun&)>, Settings> endings[] = {
      {"OK", [](QuendaRun& run) { run.Click(C::Command1); }, disabled},
      {"Cancel", [](QuendaRun& run) { run.Click(C::Command2); }, kEnabled},
      {"Esc", [](QuendaRun& run) { run.PressKey(VK_ESCAPE); }, kEnabled},
      {"close box",
       [](QuendaRun& run) { PostMessageW(run.Item(C::Form1), WM_SYSCOMMAND, SC_CLOSE, 0); },
       kEnabled},
  };
  for (const auto& [name, end, expected] : endings) {
    SCOPED_TRACE(name);
    StoreSettings(kEnabled);
    QuendaRun run;
    ASSERT_TRUE(run.Ready());
    EXPECT_TRUE(run.Checked(C::Check1));
    EXPECT_FALSE(run.Checked(C::Check2));
    EXPECT_EQ(run.Text(C::Text3), L"olduser");
    EXPECT_EQ(run.Text(C::Text2), L"OLDDOM");
    EXPECT_EQ(SendMessageW(run.Item(C::Text4), WM_GETTEXTLENGTH, 0, 0), 5);  // "oldpw"
    EXPECT_EQ(SendMessageW(run.Item(C::Text6), WM_GETTEXTLENGTH, 0, 0), 5);
    run.Click(C::Check1);
    run.Type(C::Text3, L"changed");
    end(run);
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.ExitCode(), 0u);
    EXPECT_EQ(StoredSettings(), expected);
  }
}

TEST_F(DialogE2E, AutomaticModeAppliesByItselfAboutFiveSecondsAfterStartUp) {
  // "AutoAdminLogon" off but the program's flag on: the flag alone turns the logon back on.
  const Settings flagged = {{L"DefaultUserName", L"auto"},
                            {L"DefaultPassword", L"pw"},
                            {L"DefaultDomainName", L"DOM"},
                            {L"Quenda", L"1"}};
  StoreSettings(flagged);
  const auto start = std::chrono::steady_clock::now();
  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  EXPECT_TRUE(run.Checked(C::Check2));
  for (C id : kCredentials)
    EXPECT_FALSE(run.Enabled(id)) << "control " << static_cast<int>(id);

  ASSERT_TRUE(run.WaitForExit(15s));
  const double startToExit =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("countdown: process start to exit %.0f ms, dialog shown to exit %.0f ms\n",
              startToExit, startToExit - run.MsToWindow());
  // The countdown starts while the dialog loads, before it shows.
  EXPECT_GE(startToExit, 5000.0);
  EXPECT_LT(startToExit, 7000.0);
  EXPECT_EQ(run.ExitCode(), 0u);
  Settings applied = flagged;
  applied[L"AutoAdminLogon"] = L"1";
  applied[L"Run"] = ProgramDirectory() + L"\\Quenda.exe";
  EXPECT_EQ(StoredSettings(), applied);
}

// In automatic mode OK applies at once and Cancel writes nothing, so the program's flag stays
// "1" either way; both end the process before the countdown, which starts while the dialog loads,
// could expire.
TEST_F(DialogE2E, OkOrCancelRightAfterStartInAutomaticModeEndsBeforeTheCountdown) {
  const Settings automatic = {{L"AutoAdminLogon", L"1"},
                              {L"DefaultUserName", L"auto"},
                              {L"DefaultPassword", L"pw"},
                              {L"DefaultDomainName", L"DOM"},
                              {L"Quenda", L"1"}};
  Settings applied = automatic;
  applied[L"Run"] = ProgramDirectory() + L"\\Quenda.exe";
  const std::tuple<const char*, C, Settings> endings[] = {{"OK", C::Command1, applied},
                                                          {"Cancel", C::Command2, automatic}};
  for (const auto& [name, button, expected] : endings) {
    SCOPED_TRACE(name);
    StoreSettings(automatic);
    const auto start = std::chrono::steady_clock::now();
    QuendaRun run;
    ASSERT_TRUE(run.Ready());
    run.Click(button);
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(run.ExitCode(), 0u);
    EXPECT_EQ(StoredSettings(), expected);
  }
}

TEST_F(DialogE2E, AutomaticModeTabSkipsTheGreyedControlsAndClearingItStopsTheCountdown) {
  const Settings automatic = {{L"AutoAdminLogon", L"1"}, {L"Quenda", L"1"}};
  StoreSettings(automatic);
  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  const C order[] = {C::Check2, C::Command1, C::Command2, C::Command3, C::Check2};
  ASSERT_TRUE(run.WaitForFocus(order[0]));
  for (C next : std::span(order).subspan(1)) {
    run.PressKey(VK_TAB);
    EXPECT_TRUE(run.WaitForFocus(next)) << "expected control " << static_cast<int>(next);
  }
  run.Click(C::Check2);
  EXPECT_FALSE(run.Checked(C::Check2));
  EXPECT_TRUE(run.Checked(C::Check1));
  for (C id : kCredentials)
    EXPECT_TRUE(run.Enabled(id)) << "control " << static_cast<int>(id);
  // Well past the first expiry: still open, nothing written.
  std::this_thread::sleep_for(6500ms);
  EXPECT_EQ(run.ExitCode(), STILL_ACTIVE);
  EXPECT_EQ(run.AnswerMessageBox(0ms), L"");
  EXPECT_EQ(StoredSettings(), automatic);
  run.Click(C::Command2);
  ASSERT_TRUE(run.WaitForExit());
}

}  // namespace
}  // namespace quenda::e2e
