// End to end: the settings are never lost or half-written. A write refused by the key's access
// list, credentials and folders the code page cannot hold, and readme files too large to show.
#include <windows.h>
#include <aclapi.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "driver_win32.h"
#include "texts.h"

namespace quenda::e2e {
namespace {

using C = ControlId;
namespace fs = std::filesystem;

const wchar_t kWinlogon[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// Denies everyone the right to change the Winlogon key for as long as it lives (the wineserver of
// the test's own prefix enforces a key's access list while it runs).
class WinlogonWriteDenied {
 public:
  WinlogonWriteDenied() {
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, kWinlogon, 0, READ_CONTROL | WRITE_DAC, &key_);
    GetSecurityInfo(key_, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &before_,
                    nullptr, &descriptor_);
    BYTE everyone[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof everyone;
    CreateWellKnownSid(WinWorldSid, nullptr, everyone, &size);
    EXPLICIT_ACCESSW deny{};
    deny.grfAccessPermissions = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | DELETE;
    deny.grfAccessMode = DENY_ACCESS;
    deny.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    deny.Trustee.ptstrName = reinterpret_cast<LPWSTR>(everyone);
    PACL denied = nullptr;
    SetEntriesInAclW(1, &deny, before_, &denied);
    applied_ = SetSecurityInfo(key_, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                               denied, nullptr) == ERROR_SUCCESS;
    LocalFree(denied);
  }
  ~WinlogonWriteDenied() {
    SetSecurityInfo(key_, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, before_,
                    nullptr);
    LocalFree(descriptor_);
    RegCloseKey(key_);
  }
  bool Applied() const { return applied_; }

 private:
  HKEY key_ = nullptr;
  PACL before_ = nullptr;
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
  bool applied_ = false;
};

// The message box the dialog has open: its text, whether it shows the error icon and whether the
// dialog owns it. The box is left open.
struct OpenBox {
  std::wstring text;
  bool errorIcon = false;
  bool ownedByDialog = false;
};
OpenBox InspectMessageBox(const QuendaRun& run) {
  OpenBox found;
  HWND box = nullptr;
  DWORD process = 0;
  GetWindowThreadProcessId(run.Item(C::Form1), &process);
  WaitUntil([&] {
    for (box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));) {
      DWORD owner = 0;
      GetWindowThreadProcessId(box, &owner);
      if (owner == process && IsWindowVisible(box))
        return true;
    }
    return false;
  });
  if (box == nullptr)
    return found;
  found.ownedByDialog = GetWindow(box, GW_OWNER) == run.Item(C::Form1);
  for (HWND child = nullptr; (child = FindWindowExW(box, child, L"Static", nullptr));) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      found.errorIcon = SendMessageW(child, STM_GETICON, 0, 0) != 0;
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    found.text += text;
  }
  return found;
}

using IntegrityE2E = E2ETest;

// A write the access list refuses, in both languages: the failure box with its icon, owned by the
// dialog; then exit code 1 and the registry exactly as before.
TEST_F(IntegrityE2E, AFailedWriteShowsTheErrorOwnedByTheDialogAndChangesNothing) {
  const Settings stored = {{L"AutoAdminLogon", L"1"},
                           {L"DefaultUserName", L"olduser"},
                           {L"DefaultPassword", L"oldpw"},
                           {L"Quenda", L"0"}};
  for (const bool chinese : {false, true}) {
    SCOPED_TRACE(chinese ? "Chinese" : "English");
    SetLocale(chinese ? L"00000404" : L"00000409");
    StoreSettings(stored);
    const WinlogonWriteDenied denied;
    ASSERT_TRUE(denied.Applied());
    QuendaRun run;
    ASSERT_TRUE(run.Ready());
    run.Type(C::Text3, L"newuser");
    PostMessageW(run.Item(C::Command1), BM_CLICK, 0, 0);  // no wait: OK opens a message box
    OpenBox box = InspectMessageBox(run);
    IsChinese = chinese;
    std::wstring expected(FailureMessage().begin(), FailureMessage().end());
    std::erase(expected, L'\r');
    std::erase(box.text, L'\r');
    EXPECT_EQ(box.text, expected);
    EXPECT_TRUE(box.errorIcon && box.ownedByDialog);
    run.AnswerMessageBox();
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ(run.ExitCode(), 1u);
    EXPECT_EQ(StoredSettings(), stored);
  }
}

// Credentials another program stored with characters code page 1252 lacks survive an automatic
// apply untouched; a typed one is refused with a message and nothing is written.
TEST_F(IntegrityE2E, CredentialsTheCodePageCannotHoldAreNeverWrittenAsQuestionMarks) {
  if (GetACP() != 1252)
    GTEST_SKIP() << "needs the ANSI code page 1252";
  const Settings stored = {{L"AutoAdminLogon", L"1"},
                           {L"DefaultUserName", L"Иван"},
                           {L"DefaultPassword", L"пароль€1"},
                           {L"Quenda", L"1"}};
  StoreSettings(stored);
  {
    QuendaRun run;
    ASSERT_TRUE(run.Ready());
    ASSERT_TRUE(run.WaitForExit(15s));
    EXPECT_EQ(run.ExitCode(), 0u);
  }
  Settings applied = stored;
  applied[L"Run"] = ProgramDirectory() + L"\\Quenda.exe";
  EXPECT_EQ(StoredSettings(), applied);

  StoreSettings({});
  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  run.Click(C::Check1);
  run.Type(C::Text3, L"Пётр");
  PostMessageW(run.Item(C::Command1), BM_CLICK, 0, 0);
  IsChinese = false;
  EXPECT_EQ(run.AnswerMessageBox(), L"Quenda: " + std::wstring(UnrepresentableMessage().begin(),
                                                               UnrepresentableMessage().end()));
  EXPECT_EQ(StoredSettings(), Settings{});
  EXPECT_EQ(run.ExitCode(), STILL_ACTIVE);
}

// Copies quenda.exe into a fresh folder `name` of the temporary folder; returns the copy's path.
fs::path CopyInto(const std::wstring& name) {
  const fs::path folder = fs::temp_directory_path() / name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::copy_file(QuendaExe(), folder / L"quenda.exe");
  return folder / L"quenda.exe";
}

// Folders whose names code page 1252 cannot hold get a Run entry that still starts the program:
// their short names.
TEST_F(IntegrityE2E, TheRunEntryForAFolderTheCodePageCannotNameStartsTheProgram) {
  if (GetACP() != 1252)
    GTEST_SKIP() << "needs the ANSI code page 1252";
  for (const std::wstring name : {L"Программы Quenda", L"程式 Quenda"}) {
    SCOPED_TRACE(testing::Message() << name.size());
    StoreSettings({{L"AutoAdminLogon", L"1"}, {L"Quenda", L"0"}});
    const fs::path exe = CopyInto(name);
    {
      QuendaRun run(exe.wstring());
      ASSERT_TRUE(run.Ready());
      run.Click(C::Command1);
      ASSERT_TRUE(run.WaitForExit());
      EXPECT_EQ(run.ExitCode(), 0u);
    }
    std::wstring command = StoredSettings()[L"Run"];
    EXPECT_TRUE(std::ranges::all_of(command, [](wchar_t c) { return c < 0x80; })) << command.size();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &started));
    EXPECT_EQ(WaitForInputIdle(started.hProcess, 10000), 0u);
    TerminateProcess(started.hProcess, 0);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    fs::remove_all(exe.parent_path());
  }
}

std::size_t PeakWorkingSet(const QuendaRun& run) {
  DWORD id = 0;
  GetWindowThreadProcessId(run.Item(C::Form1), &id);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(process, &counters, sizeof counters);
  CloseHandle(process);
  return counters.PeakWorkingSetSize;
}

// A 50 MB readme and one of bare CRs: the panel opens at once and the memory stays near that of a
// run with a small readme.
TEST_F(IntegrityE2E, AHugeReadmeOpensAtOnceInBoundedMemory) {
  const fs::path exe = CopyInto(L"Quenda Readme");
  const auto open = [&](const std::string& readme) {
    std::ofstream(exe.parent_path() / L"readme.txt", std::ios::binary) << readme;
    QuendaRun run(exe.wstring());
    run.Click(C::Command3);
    const auto start = std::chrono::steady_clock::now();
    run.Click(C::Command3);  // narrowing loads the readme
    const auto loaded = std::chrono::steady_clock::now() - start;
    run.Click(C::Command3);
    const auto length = SendMessageW(run.Item(C::Text1), WM_GETTEXTLENGTH, 0, 0);
    return std::tuple(std::chrono::duration<double, std::milli>(loaded).count(), length,
                      PeakWorkingSet(run));
  };
  const auto [smallMs, smallLength, smallPeak] = open("hello\r\n");
  EXPECT_EQ(smallLength, 7);
  for (const char fill : {'x', '\r'}) {
    const auto [ms, length, peak] = open(std::string(fill == 'x' ? 50 << 20 : 5 << 20, fill));
    std::printf(
        "readme of %s: panel text %ld characters in %.0f ms, peak working set %zu KB "
        "(small readme: %zu KB)\n",
        fill == 'x' ? "50 MB" : "5 MB of CRs", static_cast<long>(length), ms, peak / 1024,
        smallPeak / 1024);
    EXPECT_EQ(length, fill == 'x' ? 65536 + 2 : 2 * 65536);
    EXPECT_LT(ms, 1000.0);
    EXPECT_LT(peak, smallPeak + 8 * 1024 * 1024);
  }
  fs::remove_all(exe.parent_path());
}

}  // namespace
}  // namespace quenda::e2e
