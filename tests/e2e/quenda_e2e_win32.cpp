// End to end: the real quenda.exe under Wine, started against a prepared registry and worked
// through its window as a user would. What only the real window, registry and process show: the
// dialog manager's keys, the layout at two DPIs in both languages, the failure box, credentials and
// folders the code page cannot hold, huge readme files, the resources, the countdown's timing.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "driver_win32.h"
#include "resource_ids.h"
#include "text_sets.h"
#include "texts.h"

namespace quenda::e2e {
namespace {

using C = ControlId;
namespace fs = std::filesystem;
// A text of the core as the wide strings the driver reads from the windows.
std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

// A fresh system worked by keyboard. Enter presses OK, or About once that was clicked; Alt+A
// ticks "Automatically", whose mode greys what Tab then skips, and clearing it stops the
// countdown. Passwords that differ are refused, the password then selected for retyping.
TEST(QuendaE2E, AToolWindowWithMaskedBoxesThatTheDialogManagerDrives) {
  QuendaRun run = StartOver({});
  ASSERT_EQ(run.Text(C::Form1) + L" on " + run.Text(C::Label2), L"Quenda on TEST-PC");
  EXPECT_TRUE(run.WaitForFocus(C::Check1));
  // A tool window with a close box only; check boxes whose state the dialog sets itself (an
  // automatic box would tick before the handler decides); masked password boxes; a read-only
  // panel text with both scroll bars that Tab never reaches.
  EXPECT_TRUE(GetWindowLongW(run.Item(C::Form1), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(GetWindowLongW(run.Item(C::Form1), GWL_STYLE) &
               (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  for (C box : {C::Check1, C::Check2})
    EXPECT_EQ(GetWindowLongW(run.Item(box), GWL_STYLE) & BS_TYPEMASK, BS_CHECKBOX);
  for (C box : {C::Text4, C::Text6})
    EXPECT_EQ(SendMessageW(run.Item(box), EM_GETPASSWORDCHAR, 0, 0), L'*');
  const long panel = ES_MULTILINE | ES_READONLY | WS_HSCROLL | WS_VSCROLL;
  EXPECT_EQ(GetWindowLongW(run.Item(C::Text1), GWL_STYLE) & (panel | WS_TABSTOP), panel);

  run.Click(C::Command3);   // widens
  run.PressKey(VK_RETURN);  // narrows to the width at Wine's 96 DPI; OK would end the program
  EXPECT_TRUE(WaitUntil([&] { return run.Bounds(C::Form1).right == MulDiv(3930, 96, 1440); }));
  PostMessageW(run.Focus(), WM_SYSCHAR, L'a', 1 | (1u << 29));  // Alt+A: the context bit is Alt
  for (C next : {C::Check2, C::Command1, C::Command2, C::Command3, C::Check2}) {
    EXPECT_TRUE(run.WaitForFocus(next)) << "control " << static_cast<int>(next);
    run.PressKey(VK_TAB);
  }
  run.Click(C::Check2);
  Sleep(6500);  // well past the expiry
  EXPECT_EQ(run.ExitCode(), STILL_ACTIVE);

  run.Type(C::Text4, L"pa$$ word");
  run.Type(C::Text6, L"pa$$ Word");
  run.PressKey(VK_RETURN);
  EXPECT_EQ(run.AnswerMessageBox(), L"Quenda: Not Confirmed password, please keyin again.");
  EXPECT_TRUE(run.WaitForFocus(C::Text4));
  EXPECT_EQ(SendMessageW(run.Item(C::Text4), EM_GETSEL, 0, 0), MAKELONG(0, 9));
  EXPECT_EQ(StoredSettings(), Settings{});
  run.Type(C::Text6, L"pa$$ word");
  run.PressKey(VK_RETURN);
  // Saved without a user name, which the warning after the save points out.
  EXPECT_TRUE(run.AnswerMessageBox().starts_with(L"Quenda: [icon] [Blocker] "));
  // Started from the build folder, whose path has no blank: the Run entry is left unquoted.
  EXPECT_EQ(run.Ended(), std::tuple(0ul, Settings({{L"AutoAdminLogon", L"1"},
                                                   {L"DefaultPassword", Hidden(L"pa$$ word")},
                                                   {L"Quenda", L"0"},
                                                   {L"Run", RunEntry()}})));
}

// Cancel, Esc and the close box end the program after a change without writing it.
TEST(QuendaE2E, CancelEscAndTheCloseBoxWriteNothing) {
  const Settings stored = {
      {L"AutoAdminLogon", L"1"}, {L"DefaultUserName", L"olduser"}, {L"Quenda", L"1"}};
  const std::pair<const char*, void (*)(QuendaRun&)> endings[] = {
      {"Cancel", [](QuendaRun& run) { run.Click(C::Command2); }},
      {"Esc", [](QuendaRun& run) { run.PressKey(VK_ESCAPE); }},
      {"close box",
       [](QuendaRun& run) { PostMessageW(run.Item(C::Form1), WM_SYSCOMMAND, SC_CLOSE, 0); }}};
  for (const auto& [name, end] : endings) {
    SCOPED_TRACE(name);
    QuendaRun run = StartOver(stored);
    run.Click(C::Check1);
    run.Type(C::Text3, L"changed");
    end(run);
    EXPECT_EQ(run.Ended(), std::tuple(0ul, stored));
  }
}

// A manual OK that leaves the automatic logon on, over an AutoLogonCount of 0 (the number, as
// Windows keeps it): the settings are written, then one warning box names the value and says why
// in the dialog's language, then the program ends. After the countdown's apply nothing is shown:
// the program ends by itself. (Wine's LogonUserW accepts any credentials, so the check before the
// save passes here; its refusals are tested on the host.)
TEST(QuendaE2E, FindingsAfterAManualOkInEachLanguageAndNoneAfterTheCountdown) {
  const DWORD zero = 0;
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, kWinlogon, L"AutoLogonCount", REG_DWORD, &zero, sizeof(zero));
  const std::wstring value =
      L"] HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\AutoLogonCount: ";
  // The locale, "Automatically" as stored ("1": the countdown applies) and the box shown.
  const std::tuple<const wchar_t*, const wchar_t*, std::wstring> runs[] = {
      {L"00000409", L"0",
       L"[Blocker" + value +
           L"AutoLogonCount is 0: Windows turns the automatic logon off at the next start.\r\n"},
      {L"00000404", L"0",
       L"[阻礙" + value + L"AutoLogonCount 為 0: Windows 會在下次開機時關閉自動登入.\r\n"},
      {L"00000409", L"1", L""}};
  for (const auto& [locale, flag, finding] : runs) {
    SCOPED_TRACE(testing::Message() << locale << flag);
    QuendaRun run = StartOver({{L"AutoAdminLogon", L"1"},
                               {L"DefaultUserName", L"kiosk"},
                               {L"DefaultPassword", L"pw"},
                               {L"Quenda", flag},
                               {L"Locale", locale}});
    if (*flag == L'0')
      run.ClickLater(C::Command1);
    EXPECT_EQ(run.AnswerMessageBox(), finding.empty() ? L"" : L"Quenda: [icon] " + finding);
    EXPECT_EQ(run.ExitCode(10s), 0u);
    EXPECT_EQ(StoredSettings()[L"Run"], RunEntry());
  }
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kWinlogon, L"AutoLogonCount");
}

// With the Winlogon and Run keys read-only, as at a standard user's logon: a configuration that
// holds what the dialog would write already applies without a message, by the countdown and by
// OK, and the program ends with 0. A change (one typed, or the Run entry missing) shows the
// failure box with its icon in the dialog's language and exits with 1, writing nothing; the
// countdown's apply comes by itself about five seconds after start-up (the countdown starts
// while the dialog loads).
TEST(QuendaE2E, AnUnchangedConfigurationAppliesWithoutTheRightToWriteAndAChangeFails) {
  struct Way {
    const char* label;
    const wchar_t* flag;  // "Automatically" as stored: "1" applies by the countdown, "0" by OK
    bool runEntryStored;
    const wchar_t* typedUser;  // nullptr: nothing typed
    bool chinese;
    DWORD exitCode;
  };
  const Way ways[] = {{"the countdown", L"1", true, nullptr, false, 0},
                      {"OK", L"0", true, nullptr, false, 0},
                      {"OK after a change", L"0", true, L"other", false, 1},
                      {"the countdown without a Run entry", L"1", false, nullptr, false, 1},
                      {"the same in Chinese", L"1", false, nullptr, true, 1}};
  for (const Way& way : ways) {
    SCOPED_TRACE(way.label);
    StoreSettings({{L"AutoAdminLogon", L"1"},
                   {L"DefaultUserName", L"kiosk"},
                   {L"DefaultPassword", L"pw"},
                   {L"DefaultDomainName", L"HOME"},
                   {L"Quenda", way.flag},
                   {L"Run", way.runEntryStored ? RunEntry() : L""},
                   {L"Locale", way.chinese ? L"00000404" : L"00000409"}});
    const Settings stored = StoredSettings();
    const KeyAccessRefused winlogon(kWinlogon, kWritesRefused), runKey(kRun, kWritesRefused);
    IsChinese = way.chinese;
    const auto start = std::chrono::steady_clock::now();
    QuendaRun run;
    if (way.typedUser)
      run.Type(C::Text3, way.typedUser);
    if (*way.flag == L'0')
      run.ClickLater(C::Command1);  // may open a message box
    EXPECT_EQ(run.AnswerMessageBox(),
              way.exitCode ? L"Quenda: [icon] " + Wide(FailureMessage()) : L"");
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(!way.exitCode || way.typedUser || (took >= 5s && took < 7s)) << took / 1ms;
    EXPECT_EQ(run.Ended(), std::tuple(way.exitCode, stored));
  }
  IsChinese = false;
}

// Each text box with its caption, which a screen reader finds as the static just before the box
// in the window order.
const std::pair<C, C> kCaptionedBoxes[] = {
    {C::Text3, C::Label4}, {C::Text4, C::Label5}, {C::Text6, C::Label6}, {C::Text2, C::Label3}};

// Each language at 144 and 96 DPI (Wine's own, left for the tests after): the captions of its set,
// each before its box; the narrow dialog and the wide one About opens. The logo's picture decoder
// is loaded only once the panel shows; the logo is named after the site address the contact text
// begins with.
TEST(QuendaE2E, CaptionsLayoutAndLogoAtEachDpiInEachLanguage) {
  for (const bool chinese : {false, true}) {
    for (const DWORD dpi : {144, 96}) {
      SCOPED_TRACE(testing::Message() << (chinese ? "Chinese " : "English ") << dpi);
      RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi,
                      sizeof(dpi));
      QuendaRun run = StartOver({{L"Locale", chinese ? L"00000404" : L"00000409"}});
      for (const TextSetRow& row : TextSetRows())
        if (row.property == Property::Caption) {
          EXPECT_EQ(run.Text(row.control), Wide(chinese ? row.text->chinese : row.text->english));
        }
      for (const auto& [box, caption] : kCaptionedBoxes)
        EXPECT_EQ(GetDlgCtrlID(GetWindow(run.Item(box), GW_HWNDPREV)),
                  GetDlgCtrlID(run.Item(caption)));
      const std::wstring contact = run.Text(C::Text1);
      EXPECT_EQ(run.Text(C::Image1), contact.substr(0, contact.find(L"\r\n")));
      EXPECT_FALSE(run.HasModule(L"oleaut32.dll"));
      // Narrow, then wide with the panel's frame and text in their places.
      const auto pixels = [&](long twips) { return long{MulDiv(twips, dpi, 1440)}; };
      const RECT narrow = run.Bounds(C::Form1);
      run.Click(C::Command3);
      EXPECT_EQ(
          std::vector({narrow.right, narrow.bottom, run.Bounds(C::Form1).right,
                       run.Bounds(C::Frame1).left, run.Bounds(C::Text1).left}),
          std::vector({pixels(3930), pixels(4620), pixels(7950), pixels(4020), pixels(4080)}));
      EXPECT_TRUE(WaitUntil([&] { return run.HasModule(L"oleaut32.dll"); }, 5s));
    }
  }
}

// Run a second time with LC_ALL=zh_TW.UTF-8, which gives Wine's processes code page 950.
TEST(Cp950E2E, ChineseReadmeIsDecodedAndAChineseUserNameRoundTrips) {
  ASSERT_EQ(GetACP(), 950u);
  QuendaRun run = StartOver({{L"Locale", L"00000404"}});
  run.Click(C::Command3);
  run.Click(C::Command3);  // narrowing loads the readme
  // The readme from disk, decoded in code page 950 as the program decodes it.
  EXPECT_EQ(run.Text(C::Text1), FromBig5(ReadBytes(ProgramDirectory() + L"\\readmetw.txt")));
  run.Click(C::Check1);
  run.Type(C::Text3, L"王小明");
  // Saved without a password, which the warning after the save points out.
  EXPECT_TRUE(run.AnswerOk().starts_with(L"Quenda: [icon] [阻礙] "));
  EXPECT_EQ(run.ExitCode(10s), 0u);
  EXPECT_EQ(StoredSettings()[L"DefaultUserName"], L"王小明");
  EXPECT_EQ(QuendaRun().Text(C::Text3), L"王小明");
}

// A copy of quenda.exe in a folder with a blank and in folders code page 1252 cannot name, each
// beside a readme of its own: a small one, one of 50 MB and one of 5 MB of bare CRs. The panel
// shows the start of each at once, in memory near that of the small one. Credentials another
// program stored with characters the code page lacks survive an apply untouched; a typed one is
// refused with a message, and nothing is written until it is replaced. OK then stores a Run entry
// that starts the copy: quoted for a blank, by short names where the code page lacks one.
TEST(QuendaE2E, ACopyInAnyFolderShowsItsReadmeAtOnceKeepsCredentialsAndItsRunEntryStartsIt) {
  ASSERT_EQ(GetACP(), 1252u) << "the run without LC_ALL has Wine's code page 1252";
  const std::tuple<const wchar_t*, std::string, long> copies[] = {
      {L"Quenda E2E", "hello\r\n", 7},
      {L"Программы Quenda", std::string(50 << 20, 'x'), 65536 + 2},
      {L"程式 Quenda", std::string(5 << 20, '\r'), 2 * 65536}};
  std::size_t smallPeak = 0;
  for (const auto& [name, readme, length] : copies) {
    SCOPED_TRACE(readme.size());
    const fs::path folder = fs::temp_directory_path() / name;
    fs::create_directories(folder);
    fs::copy_file(ProgramDirectory() + L"\\quenda.exe", folder / L"quenda.exe",
                  fs::copy_options::overwrite_existing);
    WriteBytes(folder / L"readme.txt", readme);
    StoreSettings({{L"AutoAdminLogon", L"1"},
                   {L"DefaultUserName", L"Иван"},
                   {L"DefaultPassword", L"пароль€1"},
                   {L"Quenda", L"0"}});
    Settings stored = StoredSettings();
    QuendaRun run(L"\"" + (folder / L"quenda.exe").wstring() + L"\"");
    run.Click(C::Command3);
    const auto start = std::chrono::steady_clock::now();
    run.Click(C::Command3);  // narrowing loads the readme
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_EQ(SendMessageW(run.Item(C::Text1), WM_GETTEXTLENGTH, 0, 0), length);
    smallPeak = smallPeak ? smallPeak : run.PeakMemory();  // the first readme is the small one
    EXPECT_LT(run.PeakMemory(), smallPeak + (8 << 20));
    run.Type(C::Text2, L"Пётр");
    EXPECT_EQ(run.AnswerOk(), L"Quenda: " + Wide(UnrepresentableMessage()));
    EXPECT_EQ(StoredSettings(), stored);
    run.Type(C::Text2, L"DOM");
    run.Click(C::Command1);
    EXPECT_EQ(run.ExitCode(10s), 0u);
    stored[L"DefaultDomainName"] = L"DOM";
    stored[L"Run"] = StoredSettings()[L"Run"];
    EXPECT_EQ(StoredSettings(), stored);
    EXPECT_TRUE(QuendaRun(stored[L"Run"]).Item(C::Form1));
    fs::remove_all(folder);
  }
}

// Values the dialog cannot show faithfully stay exactly as stored through OK: a user name the code
// page lacks whose edit is undone, a domain of another type, a password longer than the routines
// read. The countdown's apply that refuses a typed text returns the dialog to manual mode with the
// focus in the refused box; a text too long to be read back is refused too. Nothing is written
// until the texts are corrected.
TEST(QuendaE2E, ValuesItCannotShowStayAndARefusedApplyLeavesTheDialogUsable) {
  ASSERT_EQ(GetACP(), 1252u) << "the run without LC_ALL has Wine's code page 1252";
  StoreSettings({{L"AutoAdminLogon", L"1"},
                 {L"DefaultUserName", L"Иван"},
                 {L"DefaultPassword", std::wstring(1500, L'p')},
                 {L"Quenda", L"0"}});
  const std::wstring expandable = L"%USERDOMAIN%";  // another type, shown empty
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, kWinlogon, L"DefaultDomainName", REG_EXPAND_SZ,
                  expandable.c_str(), static_cast<DWORD>((expandable.size() + 1) * 2));
  Settings stored = StoredSettings();
  stored[L"Run"] = RunEntry();  // the one value OK adds
  {
    QuendaRun run;
    EXPECT_EQ(run.Text(C::Text3), L"????");
    EXPECT_EQ(run.Text(C::Text2) + run.Text(C::Text4), L"");
    run.Type(C::Text3, L"Иванx");
    run.Type(C::Text3, L"????");
    run.Click(C::Command1);
    EXPECT_EQ(run.Ended(), std::tuple(0ul, stored));
  }
  QuendaRun run;
  run.Type(C::Text2, L"Пётр");
  run.Click(C::Check2);  // the automatic mode: its apply comes in five seconds
  EXPECT_EQ(run.AnswerMessageBox(), L"Quenda: " + Wide(UnrepresentableMessage()));
  EXPECT_TRUE(run.WaitForFocus(C::Text2));
  EXPECT_EQ(SendMessageW(run.Item(C::Check2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(IsWindowEnabled(run.Item(C::Text3)) && IsWindowEnabled(run.Item(C::Check1)));
  Sleep(6000);  // no countdown runs any more
  EXPECT_EQ(run.ExitCode(), DWORD{STILL_ACTIVE});
  run.Type(C::Text2, std::wstring(1024, L'd'));
  EXPECT_EQ(run.AnswerOk(), L"Quenda: " + Wide(TooLongMessage()));
  EXPECT_EQ(StoredSettings(), stored);
  run.Type(C::Text2, std::wstring(1023, L'd'));
  run.Click(C::Command1);
  EXPECT_EQ(run.ExitCode(10s), 0u);
  EXPECT_EQ(StoredSettings()[L"DefaultDomainName"], std::wstring(1023, L'd'));
}

TEST(QuendaExecutable, CarriesTheProjectVersionTheIconTheHandCursorAndTheLogo) {
  // The loader looks in this program's folder first.
  HMODULE module = LoadLibraryExW(L"quenda.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  // The bytes of resource `id` at `offsets`; -1 for an offset past its end.
  const auto bytes = [&](int id, const wchar_t* type, std::initializer_list<std::size_t> offsets) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    std::vector<int> picked;
    for (const std::size_t offset : offsets)
      picked.push_back(offset < SizeofResource(module, found) ? data[offset] : -1);
    return picked;
  };
  // The version resource: its 40-byte head, then the fixed part, whose file version holds the
  // minor, major, build and third numbers as little-endian WORDs from byte 48 on.
  EXPECT_EQ(bytes(1, RT_VERSION, {50, 48, 54}),
            std::vector({QUENDA_VERSION_MAJOR, QUENDA_VERSION_MINOR, QUENDA_VERSION_PATCH}));
  // The icon group: three WORDs (reserved, type, count), then 14 bytes per image: width, height,
  // colours, reserved, planes and bit count (WORDs), byte count (DWORD), resource id (WORD). Two
  // images and nothing after them: 32 and 16 pixels wide, 4 bits a pixel.
  EXPECT_EQ(bytes(QUENDA_ICON, RT_GROUP_ICON, {4, 6, 12, 20, 26, 34}),
            std::vector({2, 32, 4, 16, 4, -1}));
  // The logo: a GIF whose logical screen size, little-endian, follows the signature: 98 by 21.
  EXPECT_EQ(bytes(QUENDA_LOGO_GIF, RT_RCDATA, {0, 1, 2, 6, 7, 8, 9}),
            std::vector<int>({'G', 'I', 'F', 98, 0, 21, 0}));
  // The hand points with the tip of its index finger.
  ICONINFO hand{};
  GetIconInfo(static_cast<HCURSOR>(LoadImageW(module, MAKEINTRESOURCEW(QUENDA_HAND_CURSOR),
                                              IMAGE_CURSOR, 32, 32, 0)),
              &hand);
  EXPECT_EQ(std::pair(hand.xHotspot, hand.yHotspot), std::pair(DWORD{12}, DWORD{1}));
}

}  // namespace
}  // namespace quenda::e2e
