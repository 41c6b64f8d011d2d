// quenda.com under Wine, fed through cmd as scripts and deployment tools feed it: standard input it
// cannot store faithfully writes nothing, and two applies started together never mix.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <tuple>

#include "settings_win32.h"

namespace {

using namespace quenda::e2e;

// Starts `command` through cmd in the working folder (that of quenda.com), with `input` as
// standard input.
PROCESS_INFORMATION StartCmd(const std::wstring& command,
                             HANDLE input = GetStdHandle(STD_INPUT_HANDLE)) {
  std::wstring line = L"cmd.exe /c " + command;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION started{};
  EXPECT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                             &startup, &started));
  return started;
}

// Waits up to `timeout` for a process StartCmd started; its exit code, or -1 if it still runs.
int Finish(const PROCESS_INFORMATION& started, DWORD timeout = INFINITE) {
  DWORD exitCode = 0;
  if (WaitForSingleObject(started.hProcess, timeout) != WAIT_OBJECT_0)
    return -1;
  GetExitCodeProcess(started.hProcess, &exitCode);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return static_cast<int>(exitCode);
}

// Standard input that holds no line, an over-long one or a NUL writes nothing, with exit code 2
// for no line and 1 for the others; the message says why. A file Windows PowerShell 5.1 writes
// ("pw" > kiosk.txt), UTF-16 after a byte-order mark, gives its password in either byte order.
TEST(ConsoleInputUnderWine, InputIsStoredFaithfullyOrNotAtAll) {
  using namespace std::string_literals;
  const std::string kNoLine =
      "Standard input holds no password line; a blank password is given "
      "as an empty line. Nothing was written.\r\n";
  const std::string kTooLong =
      "The password line is longer than 4096 bytes. Nothing was written.\r\n";
  const std::string kControl =
      "The password holds a NUL or another control character. Nothing was written.\r\n";
  const std::tuple<const char*, std::optional<std::string>, int, std::string> kCases[] = {
      {"the NUL device", std::nullopt, 2, kNoLine},
      {"an empty file", "", 2, kNoLine},
      {"a NUL in the line", "p\0w\r\n"s, 1, kControl},
      {"a NUL alone", "\0\r\n"s, 1, kControl},
      {"an over-long line", std::string(5000, 'x') + "\r\n", 1, kTooLong},
      {"UTF-16 LE", "\xFF\xFEP\0\xE4\0\x35\0\r\0\n\0n\0e\0x\0t\0"s, 0, ""},
      {"UTF-16 BE", "\xFE\xFF\0P\0\xE4\0\x35\0\r\0\n\0n"s, 0, ""},
  };
  for (const auto& [label, input, exitCode, error] : kCases) {
    SCOPED_TRACE(label);
    StoreSettings({{L"DefaultUserName", L"old"}, {L"DefaultPassword", L"keep"}});
    EXPECT_EQ(Cmd(L"quenda /enable /user:ann", input), Outcome(exitCode, "", error));
    EXPECT_EQ(StoredSettings().at(L"DefaultPassword"), Hidden(exitCode ? L"keep" : L"P\u00E45"));
    EXPECT_EQ(StoredSettings().at(L"DefaultUserName"), exitCode ? L"old" : L"ann");
  }
}

// The save lock under the real system: an apply waits while another process holds it and writes
// once it is given back; a lock whose holder ended without giving it back is free.
TEST(ConsoleInputUnderWine, AnApplyWaitsForTheSaveLock) {
  StoreSettings({});
  const HANDLE lock = CreateMutexW(nullptr, TRUE, L"Global\\Quenda.SaveSettings");
  ASSERT_NE(lock, nullptr);
  const std::filesystem::path in = std::filesystem::path(_wgetenv(L"TEMP")) / "lock-in";
  WriteBytes(in, "pw\r\n");
  const PROCESS_INFORMATION waiting =
      StartCmd(L"quenda /enable /user:ann <\"" + in.native() + L"\"");
  EXPECT_EQ(WaitForSingleObject(waiting.hProcess, 2000), WAIT_TIMEOUT);
  EXPECT_EQ(StoredSettings(), Settings{});
  ReleaseMutex(lock);
  EXPECT_EQ(Finish(waiting), 0);
  EXPECT_EQ(StoredSettings().at(L"DefaultUserName"), L"ann");

  // A thread that takes the lock and ends holding it leaves it abandoned.
  const auto take = [](void* mutex) -> DWORD { return WaitForSingleObject(mutex, 0); };
  const HANDLE holder = CreateThread(nullptr, 0, take, lock, 0, nullptr);
  WaitForSingleObject(holder, INFINITE);
  CloseHandle(holder);
  EXPECT_EQ(Finish(StartCmd(L"quenda /disable"), 10000), 0);
  EXPECT_EQ(StoredSettings().at(L"AutoAdminLogon"), L"0");
  CloseHandle(lock);
}

// Ctrl+C at the hidden password prompt ends quenda.com with the console's echo on again and
// nothing written. The test takes a console of its own for quenda.com to share (the one Wine gives
// a program started without a terminal keeps no input mode), and keeps it afterwards.
TEST(ConsoleInputUnderWine, CtrlCAtThePromptRestoresTheEcho) {
  StoreSettings({});
  FreeConsole();
  ASSERT_TRUE(AllocConsole());
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD before = 0, mode = 0, after = 0;
  ASSERT_TRUE(GetConsoleMode(input, &before));
  ASSERT_NE(before & ENABLE_ECHO_INPUT, 0u);
  std::wstring line = L"quenda.com /enable /user:ann";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &started));
  for (int i = 0; i < 100 && GetConsoleMode(input, &mode) && (mode & ENABLE_ECHO_INPUT); ++i)
    Sleep(50);
  EXPECT_EQ(mode & ENABLE_ECHO_INPUT, 0u) << "the prompt never turned the echo off";
  // Ctrl+C reaches every process of the console. This one lets it pass, and keeps doing so: its
  // handler may run after quenda.com has ended.
  SetConsoleCtrlHandler([](DWORD) -> BOOL { return TRUE; }, TRUE);
  EXPECT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
  const bool ended = Finish(started, 10000) != -1;
  EXPECT_TRUE(ended);
  if (!ended)
    TerminateProcess(started.hProcess, 1);
  GetConsoleMode(input, &after);
  EXPECT_EQ(after, before);
  EXPECT_EQ(StoredSettings(), Settings{});
}

// Two /enable runs started at the same moment, twenty times: each ends with 0 and the registry
// always holds one run's whole configuration, never one run's user with the other's password,
// domain or flag.
TEST(ConsoleInputUnderWine, SimultaneousEnablesNeverMix) {
  constexpr int kTrials = 20;
  constexpr DWORD kStartUp = 400;  // milliseconds for cmd and quenda.com to start under Wine
  int mixed = 0;
  for (int trial = 0; trial < kTrials; ++trial) {
    // What each run stores: its user, password, domain and "Automatically" (the first run's on).
    const std::wstring n = std::to_wstring(trial);
    const std::wstring users[2] = {L"ann" + n, L"bob" + n}, domains[2] = {L"EAST" + n, L"WEST" + n};
    const std::wstring passwords[2] = {L"pa-" + n, L"pb-" + n};
    StoreSettings({});
    // Each run waits on a pipe for its password line; both lines are then written at once, so
    // that the two runs read their input and write their settings at the same moment.
    PROCESS_INFORMATION started[2];
    HANDLE lines[2];
    for (int i = 0; i < 2; ++i) {
      SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
      HANDLE input = nullptr;
      ASSERT_TRUE(CreatePipe(&input, &lines[i], &inheritable, 0));
      SetHandleInformation(lines[i], HANDLE_FLAG_INHERIT, 0);
      started[i] = StartCmd(L"quenda /enable /user:" + users[i] + L" /domain:" + domains[i] +
                                (i == 0 ? L" /automatic" : L"") + L" >NUL 2>NUL",
                            input);
      CloseHandle(input);
    }
    Sleep(kStartUp);
    for (int i = 0; i < 2; ++i) {
      const std::string line = std::string(passwords[i].begin(), passwords[i].end()) + "\r\n";
      DWORD written = 0;
      WriteFile(lines[i], line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(Finish(started[i]), 0);
      CloseHandle(lines[i]);
    }
    bool whole = false;
    for (int i = 0; i < 2; ++i)
      whole = whole || StoredSettings() == Settings{{L"AutoAdminLogon", L"1"},
                                                    {L"DefaultUserName", users[i]},
                                                    {L"DefaultPassword", Hidden(passwords[i])},
                                                    {L"DefaultDomainName", domains[i]},
                                                    {L"Quenda", i == 0 ? L"1" : L"0"},
                                                    {L"Run", RunEntry()}};
    mixed += whole ? 0 : 1;
  }
  std::printf("%d of %d simultaneous pairs ended mixed\n", mixed, kTrials);
  EXPECT_EQ(mixed, 0);
}

}  // namespace
