// quenda.com under Wine, started through cmd as a user or a script would, against the real
// registry: what only the real system shows. The commands' rules are proven on the host.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings_win32.h"

namespace {

using namespace quenda::e2e;
using namespace std::string_literals;

const std::string kUnreadable =
    "The automatic logon settings cannot be read: access is denied. Run as an administrator.\r\n";

// "quenda" reaches quenda.com, not the dialog, through cmd, and its exit codes reach the caller:
// help on standard output, a usage error on standard error. /enable reads its password from the
// NUL device or a file, as bytes: no line or an over-long line writes nothing, with the message
// saying why; a file Windows PowerShell 5.1 writes ("pw" > kiosk.txt), UTF-16 after a byte-order
// mark, its NUL bytes read as any other, gives its first line, stored in the real registry with
// the rest of what the dialog's OK stores, the Run entry naming the quenda.exe beside quenda.com.
TEST(ConsoleUnderWine, ExitCodesReachCmdAndInputIsStoredFaithfullyOrNotAtAll) {
  const auto [helpCode, help, helpError] = Cmd(L"quenda /?");
  EXPECT_EQ(Outcome(helpCode, help.substr(0, 7), helpError), Outcome(0, "Quenda ", ""));
  EXPECT_EQ(Cmd(L"quenda"), Outcome(2, "", help));
  const std::tuple<std::optional<std::string>, int, std::string> kCases[] = {
      {std::nullopt, 2,
       "Standard input holds no password line; a blank password is given as an empty line. "
       "Nothing was written.\r\n"},
      {std::string(5000, 'x') + "\r\n", 1,
       "The password line is longer than 4096 bytes. Nothing was written.\r\n"},
      {"\xFF\xFEP\0\xE4\0\x35\0\r\0\n\0n\0e\0x\0t\0"s, 0, ""},
  };
  for (const auto& [input, exitCode, error] : kCases) {
    SCOPED_TRACE(input.value_or("NUL").size());
    StoreSettings({{L"DefaultUserName", L"old"}, {L"DefaultPassword", L"keep"}});
    const Settings stored = StoredSettings();
    EXPECT_EQ(Cmd(L"QUENDA /enable /user:ann /domain:CORP -automatic", input),
              Outcome(exitCode, "", error));
    EXPECT_EQ(StoredSettings(), exitCode ? stored
                                         : Settings({{L"AutoAdminLogon", L"1"},
                                                     {L"DefaultUserName", L"ann"},
                                                     {L"DefaultPassword", Hidden(L"P\u00E45")},
                                                     {L"DefaultDomainName", L"CORP"},
                                                     {L"Quenda", L"1"},
                                                     {L"Run", RunEntry()}}));
  }
}

// A key whose access list refuses reading is reported as such, with exit code 1, not read as a
// configuration that is off: the Winlogon key, or the policies the readiness report reads (/check,
// /status and /status /json share the one refusal).
TEST(ConsoleUnderWine, SettingsThatMayNotBeReadAreNotReportedAsOff) {
  const std::pair<const wchar_t*, const wchar_t*> kCases[] = {
      {kWinlogon, L"quenda /status"},
      {L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", L"quenda /check"}};
  StoreSettings({{L"AutoAdminLogon", L"1"}, {L"DefaultUserName", L"ann"}});
  for (const auto& [key, command] : kCases) {
    const KeyAccessRefused refused(key, kReadsRefused);
    EXPECT_EQ(Cmd(command), Outcome(1, "", kUnreadable)) << command;
  }
}

// Run on its own with LC_ALL=zh_TW.UTF-8, where Wine's ANSI code page is 950: a redirected output
// carries the Chinese texts in that code page, with CR LF as written and the real machine name.
TEST(ConsoleUnderWine, Cp950ChineseStatusInTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 950u);
  StoreSettings({{L"Locale", L"00000404"}});
  EXPECT_TRUE(FromBig5(std::get<1>(Cmd(L"quenda /status")))
                  .starts_with(L"電腦名稱: TEST-PC\r\n自動登入: 關閉\r\n"));
}

// The machine-wide save lock, twenty times: two applies wait while another process holds it;
// given back, the two race for it, and the registry then holds one run's whole configuration,
// never one run's user with the other's password, domain or flag. Last, a lock whose holder ended
// without giving it back is free.
TEST(ConsoleUnderWine, AppliesWaitForTheSaveLockAndNeverMix) {
  const HANDLE lock = CreateMutexW(nullptr, FALSE, L"Global\\Quenda.SaveSettings");
  ASSERT_NE(lock, nullptr);
  int mixed = 0;
  for (int trial = 0; trial < 20; ++trial) {
    StoreSettings({});
    WaitForSingleObject(lock, INFINITE);
    Settings wrote[2];
    HANDLE started[2];
    for (int i = 0; i < 2; ++i) {
      const std::wstring n = std::to_wstring(trial * 2 + i);
      wrote[i] = {{L"AutoAdminLogon", L"1"},       {L"DefaultUserName", L"u" + n},
                  {L"DefaultPassword", Hidden(n)}, {L"DefaultDomainName", L"D" + n},
                  {L"Quenda", i ? L"0" : L"1"},    {L"Run", RunEntry()}};
      started[i] = StartProcess(L"cmd.exe /c echo " + n + L"| quenda /enable /user:u" + n +
                                L" /domain:D" + n + (i ? L"" : L" /automatic"));
    }
    // Long enough for cmd and quenda.com to start under Wine and reach the lock.
    EXPECT_EQ(WaitForSingleObject(started[0], 1000), WAIT_TIMEOUT);
    EXPECT_EQ(StoredSettings(), Settings{});
    ReleaseMutex(lock);
    for (const HANDLE run : started) {
      EXPECT_EQ(ExitCodeOf(run, INFINITE), 0u);
      CloseHandle(run);
    }
    mixed += StoredSettings() != wrote[0] && StoredSettings() != wrote[1];
  }
  EXPECT_EQ(mixed, 0) << "of 20 pairs ended mixed";

  // A thread that takes the lock and ends holding it leaves it abandoned.
  const auto take = [](void* mutex) -> DWORD { return WaitForSingleObject(mutex, 0); };
  const HANDLE holder = CreateThread(nullptr, 0, take, lock, 0, nullptr);
  WaitForSingleObject(holder, INFINITE);
  CloseHandle(holder);
  EXPECT_EQ(Cmd(L"quenda /disable"), Outcome{});  // the lock is waited for 30 s at most
  EXPECT_EQ(StoredSettings().at(L"AutoAdminLogon"), L"0");
  CloseHandle(lock);
}

// Ctrl+C at the hidden password prompt ends quenda.com with the console's echo on again and
// nothing written. The test takes a console of its own for quenda.com to share (the one Wine gives
// a program started without a terminal keeps no input mode), and keeps it afterwards.
TEST(ConsoleUnderWine, CtrlCAtThePromptRestoresTheEcho) {
  StoreSettings({});
  FreeConsole();
  ASSERT_TRUE(AllocConsole());
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD before = 0, mode = 0, after = 0;
  ASSERT_TRUE(GetConsoleMode(input, &before) && (before & ENABLE_ECHO_INPUT));
  const HANDLE started = StartProcess(L"quenda.com /enable /user:ann");  // not cmd: waited for
  for (int i = 0; i < 100 && GetConsoleMode(input, &mode) && (mode & ENABLE_ECHO_INPUT); ++i)
    Sleep(50);
  EXPECT_EQ(mode & ENABLE_ECHO_INPUT, 0u) << "the prompt never turned the echo off";
  // Ctrl+C reaches every process of the console. This one lets it pass, and keeps doing so: its
  // handler may run after quenda.com has ended.
  SetConsoleCtrlHandler([](DWORD) -> BOOL { return TRUE; }, TRUE);
  EXPECT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
  EXPECT_NE(ExitCodeOf(started, 10000), STILL_ACTIVE) << "quenda.com did not end";
  TerminateProcess(started, 1);  // fails harmlessly once it has ended
  GetConsoleMode(input, &after);
  EXPECT_EQ(after, before);
  EXPECT_EQ(StoredSettings(), Settings{});
}

}  // namespace
