// End to end: quenda.exe started against a prepared registry, worked through its controls, and
// the registry checked after it has ended.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_fixture_win32.h"
#include "quenda_run_win32.h"

namespace quenda::e2e {
namespace {

using C = ControlId;
using namespace std::chrono_literals;

constexpr C kCredentialGroup[] = {C::Text3,  C::Text4,  C::Text6,  C::Text2,
                                  C::Label4, C::Label5, C::Label6, C::Label3};

// Copies quenda.exe under another name into a folder of TEMP, for runs whose executable
// directory matters. The folder is removed again by the destructor.
class StagedCopy {
 public:
  explicit StagedCopy(const std::wstring& folderName) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    directory_ = std::wstring(temp) + folderName;
    CreateDirectoryW(directory_.c_str(), nullptr);
    exe_ = directory_ + L"\\renamed.exe";
    copied_ = CopyFileW(QuendaExe().c_str(), exe_.c_str(), FALSE) != FALSE;
  }
  ~StagedCopy() {
    DeleteFileW(exe_.c_str());
    RemoveDirectoryW(directory_.c_str());
  }
  StagedCopy(const StagedCopy&) = delete;
  StagedCopy& operator=(const StagedCopy&) = delete;

  bool Copied() const { return copied_; }
  const std::wstring& Directory() const { return directory_; }
  const std::wstring& Exe() const { return exe_; }

 private:
  std::wstring directory_;
  std::wstring exe_;
  bool copied_ = false;
};

class DialogE2E : public DialogTest {};

TEST_F(DialogE2E, FreshSystemShowsTheComputerNameAndEmptyEnabledFields) {
  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  EXPECT_EQ(run.Text(C::Form1), L"Quenda");
  EXPECT_EQ(run.Text(C::Label2), kTestComputerName);
  EXPECT_EQ(run.Text(C::Text3), L"");
  EXPECT_EQ(run.Text(C::Text2), L"");
  EXPECT_EQ(run.TextLength(C::Text4), 0);
  EXPECT_EQ(run.TextLength(C::Text6), 0);
  EXPECT_FALSE(run.Checked(C::Check1));
  EXPECT_FALSE(run.Checked(C::Check2));
  EXPECT_TRUE(run.Enabled(C::Check1));
  for (C id : kCredentialGroup)
    EXPECT_TRUE(run.Enabled(id)) << "control " << static_cast<int>(id);
  // The first control of the focus order has the focus; the dialog opens narrow.
  EXPECT_TRUE(WaitUntil([&] { return run.HasFocus(C::Check1); }, 2s));
  EXPECT_EQ(run.ClientWidth(), Pixels(3930, DriverDpi()));
  EXPECT_EQ(run.ClientHeight(), Pixels(4620, DriverDpi()));
  // Text5 only stores texts: it has no window at all.
  EXPECT_EQ(run.Item(C::Text5), nullptr);
  // A fixed tool window with a close box only; check boxes whose state the dialog sets itself;
  // masked password boxes; a read-only panel text with both scroll bars that Tab never reaches.
  EXPECT_TRUE(run.ExStyle(C::Form1) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(run.Style(C::Form1) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
  EXPECT_EQ(run.Style(C::Check1) & BS_TYPEMASK, static_cast<unsigned long>(BS_CHECKBOX));
  EXPECT_EQ(SendMessageW(run.Item(C::Text4), EM_GETPASSWORDCHAR, 0, 0), L'*');
  EXPECT_EQ(SendMessageW(run.Item(C::Text6), EM_GETPASSWORDCHAR, 0, 0), L'*');
  const unsigned long panel = ES_MULTILINE | ES_READONLY | WS_HSCROLL | WS_VSCROLL;
  EXPECT_EQ(run.Style(C::Text1) & (panel | WS_TABSTOP), panel);

  run.Click(C::Command2);
  ASSERT_TRUE(run.WaitForExit());
  EXPECT_FALSE(Read(Winlogon(L"AutoAdminLogon")));
  EXPECT_FALSE(Read(Winlogon(L"Quenda")));
}

struct RunEntryCase {
  const wchar_t* folder;
  bool quoted;
};

class RunEntryE2E : public DialogTest, public testing::WithParamInterface<RunEntryCase> {};

TEST_P(RunEntryE2E, EnablingByOkWritesEveryValueAndTheRunEntry) {
  StagedCopy copy(GetParam().folder);
  ASSERT_TRUE(copy.Copied());
  QuendaRun run(copy.Exe());
  ASSERT_TRUE(run.Ready());
  run.Click(C::Check1);
  EXPECT_TRUE(run.Checked(C::Check1));
  run.Type(C::Text3, L"Admin E2E");
  run.Type(C::Text4, L"pa$$ word");
  run.Type(C::Text6, L"pa$$ word");
  run.Type(C::Text2, L"WORKGROUP-E2E");
  run.Click(C::Command1);
  ASSERT_TRUE(run.WaitForExit());
  EXPECT_EQ(run.ExitCode(), 0u);

  EXPECT_EQ(Read(Winlogon(L"AutoAdminLogon")), L"1");
  EXPECT_EQ(Read(Winlogon(L"DefaultUserName")), L"Admin E2E");
  EXPECT_EQ(Read(Winlogon(L"DefaultPassword")), L"pa$$ word");
  EXPECT_EQ(Read(Winlogon(L"DefaultDomainName")), L"WORKGROUP-E2E");
  EXPECT_EQ(Read(Winlogon(L"Quenda")), L"0");
  // The directory of the running file, and the fixed name Quenda.exe whatever the file is called.
  const std::wstring command = copy.Directory() + L"\\Quenda.exe";
  EXPECT_EQ(Read(RunEntry()), GetParam().quoted ? L"\"" + command + L"\"" : command);
}

INSTANTIATE_TEST_SUITE_P(Folders, RunEntryE2E,
                         testing::Values(RunEntryCase{L"QuendaE2E", false},
                                         RunEntryCase{L"Quenda E2E", true}));

TEST_F(DialogE2E, DisablingDeletesThePasswordAndTheRunEntry) {
  WriteText(Winlogon(L"AutoAdminLogon"), L"1");
  WriteText(Winlogon(L"DefaultUserName"), L"olduser");
  WriteText(Winlogon(L"DefaultPassword"), L"oldpw");
  WriteText(Winlogon(L"DefaultDomainName"), L"OLDDOM");
  WriteText(Winlogon(L"Quenda"), L"0");
  WriteText(RunEntry(), L"C:\\Old\\Quenda.exe");

  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  EXPECT_TRUE(run.Checked(C::Check1));
  EXPECT_FALSE(run.Checked(C::Check2));
  EXPECT_EQ(run.Text(C::Text3), L"olduser");
  EXPECT_EQ(run.Text(C::Text2), L"OLDDOM");
  EXPECT_EQ(run.TextLength(C::Text4), 5);
  EXPECT_EQ(run.TextLength(C::Text6), 5);
  run.Click(C::Check1);
  EXPECT_FALSE(run.Checked(C::Check1));
  run.Click(C::Command1);
  ASSERT_TRUE(run.WaitForExit());

  EXPECT_EQ(Read(Winlogon(L"AutoAdminLogon")), L"0");
  EXPECT_FALSE(Read(Winlogon(L"DefaultPassword")));
  EXPECT_FALSE(Read(RunEntry()));
  EXPECT_EQ(Read(Winlogon(L"DefaultUserName")), L"olduser");
  EXPECT_EQ(Read(Winlogon(L"DefaultDomainName")), L"OLDDOM");
  EXPECT_EQ(Read(Winlogon(L"Quenda")), L"0");
}

TEST_F(DialogE2E, PasswordMismatchShowsTheMessageWritesNothingAndSelectsThePassword) {
  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  run.Click(C::Check1);
  run.Type(C::Text4, L"secret");
  run.Type(C::Text6, L"Secret");
  run.PostClick(C::Command1);
  HWND box = run.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(QuendaRun::Title(box), L"Quenda");
  EXPECT_EQ(QuendaRun::MessageBoxText(box), L"Not Confirmed password, please keyin again.");
  QuendaRun::PressOk(box);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));

  // The dialog stays open with the password box focused and its whole text selected.
  EXPECT_TRUE(WaitUntil([&] { return run.HasFocus(C::Text4); }, 2s));
  EXPECT_EQ(run.Selection(C::Text4), std::make_pair(0, 6));
  EXPECT_TRUE(run.Running());
  EXPECT_FALSE(Read(Winlogon(L"AutoAdminLogon")));
  EXPECT_FALSE(Read(Winlogon(L"DefaultUserName")));
  EXPECT_FALSE(Read(Winlogon(L"Quenda")));

  // Corrected, the same dialog applies.
  run.Type(C::Text6, L"secret");
  run.Click(C::Command1);
  ASSERT_TRUE(run.WaitForExit());
  EXPECT_EQ(Read(Winlogon(L"DefaultPassword")), L"secret");
}

enum class Ending { CancelButton, EscKey, CloseBox };

class EndingE2E : public DialogTest, public testing::WithParamInterface<Ending> {};

TEST_P(EndingE2E, EndingWithoutApplyWritesNothing) {
  WriteText(Winlogon(L"AutoAdminLogon"), L"1");
  WriteText(Winlogon(L"DefaultUserName"), L"keep");
  WriteText(Winlogon(L"Quenda"), L"0");

  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  run.Click(C::Check1);  // clears it: would delete the password and the Run entry on OK
  run.Type(C::Text3, L"changed");
  switch (GetParam()) {
    case Ending::CancelButton:
      run.Click(C::Command2);
      break;
    case Ending::EscKey:
      run.PressKey(VK_ESCAPE);
      break;
    case Ending::CloseBox:
      run.PressCloseBox();
      break;
  }
  ASSERT_TRUE(run.WaitForExit());
  EXPECT_EQ(run.ExitCode(), 0u);
  EXPECT_EQ(Read(Winlogon(L"AutoAdminLogon")), L"1");
  EXPECT_EQ(Read(Winlogon(L"DefaultUserName")), L"keep");
  EXPECT_EQ(Read(Winlogon(L"Quenda")), L"0");
  EXPECT_FALSE(Read(Winlogon(L"DefaultDomainName")));
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingE2E,
                         testing::Values(Ending::CancelButton, Ending::EscKey, Ending::CloseBox));

TEST_F(DialogE2E, TabSelectsTheWholeTextTypingReplacesItAndEnterApplies) {
  WriteText(Winlogon(L"DefaultUserName"), L"old-name");
  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  run.Click(C::Check1);
  ASSERT_TRUE(WaitUntil([&] { return run.HasFocus(C::Check1); }, 2s));
  run.PressKey(VK_TAB);
  ASSERT_TRUE(WaitUntil([&] { return run.HasFocus(C::Text3); }, 2s));
  EXPECT_EQ(run.Selection(C::Text3), std::make_pair(0, 8));
  // Typed keys, as a keyboard delivers them: they replace the selected name.
  run.TypeChars(L"enter-user");
  EXPECT_TRUE(WaitUntil([&] { return run.Text(C::Text3) == L"enter-user"; }, 2s));
  run.PressKey(VK_RETURN);
  ASSERT_TRUE(run.WaitForExit());
  EXPECT_EQ(Read(Winlogon(L"AutoAdminLogon")), L"1");
  EXPECT_EQ(Read(Winlogon(L"DefaultUserName")), L"enter-user");
}

struct TabOrderCase {
  const char* name;
  bool automatic;
  std::vector<C> order;  // from the control focused at start-up, wrapping round to it again
};

class TabOrderE2E : public DialogTest, public testing::WithParamInterface<TabOrderCase> {};

TEST_P(TabOrderE2E, TabFollowsTheDesignedOrderSkippingDisabledControls) {
  if (GetParam().automatic) {
    // Passwords that agree: the countdown would apply after 5 s; the test is done well before.
    WriteText(Winlogon(L"Quenda"), L"1");
  }
  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  const std::vector<C>& order = GetParam().order;
  ASSERT_TRUE(WaitUntil([&] { return run.HasFocus(order.front()); }, 2s));
  for (std::size_t i = 1; i < order.size(); ++i) {
    run.PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return run.HasFocus(order[i]); }, 2s))
        << "step " << i << ": expected control " << static_cast<int>(order[i]);
  }
  run.Click(C::Command2);
  ASSERT_TRUE(run.WaitForExit());
  EXPECT_FALSE(Read(Winlogon(L"AutoAdminLogon")));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, TabOrderE2E,
    testing::Values(TabOrderCase{"Manual",
                                 false,
                                 {C::Check1, C::Text3, C::Text4, C::Text6, C::Text2, C::Check2,
                                  C::Command1, C::Command2, C::Command3, C::Check1}},
                    TabOrderCase{"Automatic",
                                 true,
                                 {C::Check2, C::Command1, C::Command2, C::Command3, C::Check2}}),
    [](const testing::TestParamInfo<TabOrderCase>& param) { return param.param.name; });

TEST_F(DialogE2E, AccessKeysWorkTheBoxesAndCancel) {
  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  run.PressAccessKey(L's');
  EXPECT_TRUE(WaitUntil([&] { return run.Checked(C::Check1); }, 2s));
  // Alt+A: the automatic mode greys "Starting Auto Logon" and the credentials.
  run.PressAccessKey(L'a');
  EXPECT_TRUE(WaitUntil([&] { return run.Checked(C::Check2); }, 2s));
  EXPECT_FALSE(run.Enabled(C::Check1));
  for (C id : kCredentialGroup)
    EXPECT_FALSE(run.Enabled(id)) << "control " << static_cast<int>(id);
  // Alt+A again: back to manual; "Starting Auto Logon" stays ticked and usable again.
  run.PressAccessKey(L'a');
  EXPECT_TRUE(WaitUntil([&] { return !run.Checked(C::Check2); }, 2s));
  EXPECT_TRUE(run.Checked(C::Check1));
  EXPECT_TRUE(run.Enabled(C::Check1));
  for (C id : kCredentialGroup)
    EXPECT_TRUE(run.Enabled(id)) << "control " << static_cast<int>(id);
  run.PressAccessKey(L'c');
  ASSERT_TRUE(run.WaitForExit());
  EXPECT_FALSE(Read(Winlogon(L"AutoAdminLogon")));
  EXPECT_FALSE(Read(Winlogon(L"Quenda")));
}

}  // namespace
}  // namespace quenda::e2e
