// quenda.com under Wine, fed through cmd as scripts and deployment tools feed it: standard input it
// cannot store faithfully writes nothing, and two applies started together never mix.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "settings_win32.h"

namespace {

using namespace quenda::e2e;

// Starts `command` through cmd in the working folder (that of quenda.com), with `input` (or this
// process's) as standard input.
PROCESS_INFORMATION StartCmd(const std::wstring& command, HANDLE input) {
  std::wstring line = L"cmd.exe /c " + command;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input != nullptr ? input : GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION started{};
  EXPECT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                             &startup, &started));
  return started;
}

// Waits for a process StartCmd started and returns its exit code.
int Finish(const PROCESS_INFORMATION& started) {
  WaitForSingleObject(started.hProcess, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(started.hProcess, &exitCode);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return static_cast<int>(exitCode);
}

const std::filesystem::path& TempFolder() {
  static const std::filesystem::path folder = _wgetenv(L"TEMP");
  return folder;
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// The exit code and standard error of one run.
using Outcome = std::pair<int, std::string>;

// Runs "quenda `arguments`" through cmd with standard input redirected from `input` (a file of
// these bytes, or, nullopt, the NUL device).
Outcome RunQuenda(const std::wstring& arguments, std::optional<std::string_view> input) {
  const std::filesystem::path in = TempFolder() / "input-in", error = TempFolder() / "input-err";
  if (input)
    WriteBytes(in, *input);
  const std::wstring from = input ? L"\"" + in.native() + L"\"" : L"NUL";
  const PROCESS_INFORMATION started = StartCmd(
      L"quenda " + arguments + L" <" + from + L" >NUL 2>\"" + error.native() + L"\"", nullptr);
  const int exitCode = Finish(started);
  return {exitCode, ReadBytes(error)};
}

const std::string kEnglishMessage[] = {
    "Standard input holds no password line; a blank password is given as an empty line. Nothing "
    "was written.\r\n",
    "The password line is longer than 4096 bytes. Nothing was written.\r\n",
    "The password holds a NUL or another control character. Nothing was written.\r\n"};
enum : std::size_t { kNoLine, kTooLong, kControlCharacter };

// Standard input that holds no line, an over-long one or a NUL writes nothing, with exit code 2
// for no line and 1 for the others; the message says why. A file Windows PowerShell 5.1 writes
// ("pw" > kiosk.txt), UTF-16 after a byte-order mark, gives its password in either byte order.
TEST(ConsoleInputUnderWine, InputIsStoredFaithfullyOrNotAtAll) {
  using namespace std::string_literals;
  const std::tuple<const char*, std::optional<std::string>, Outcome> kCases[] = {
      {"the NUL device", std::nullopt, {2, kEnglishMessage[kNoLine]}},
      {"an empty file", "", {2, kEnglishMessage[kNoLine]}},
      {"a NUL in the line", "p\0w\r\n"s, {1, kEnglishMessage[kControlCharacter]}},
      {"a NUL alone", "\0\r\n"s, {1, kEnglishMessage[kControlCharacter]}},
      {"an over-long line", std::string(5000, 'x') + "\r\n", {1, kEnglishMessage[kTooLong]}},
      {"UTF-16 LE", "\xFF\xFEP\0\xE4\0\x35\0\r\0\n\0n\0e\0x\0t\0"s, {0, ""}},
      {"UTF-16 BE", "\xFE\xFF\0P\0\xE4\0\x35\0\r\0\n\0n"s, {0, ""}},
  };
  for (const auto& [label, input, outcome] : kCases) {
    StoreSettings({{L"DefaultUserName", L"old"}, {L"DefaultPassword", L"keep"}});
    const std::wstring password = outcome.first == 0 ? L"P\u00E45" : L"keep";
    EXPECT_EQ(RunQuenda(L"/enable /user:ann", input), outcome) << label;
    EXPECT_EQ(StoredSettings().at(L"DefaultPassword"), Hidden(password)) << label;
    EXPECT_EQ(StoredSettings().at(L"DefaultUserName"), outcome.first == 0 ? L"ann" : L"old");
  }
}

// The save lock under the real system: an apply waits while another process holds it and writes
// once it is given back; a lock whose holder ended without giving it back is free.
TEST(ConsoleInputUnderWine, AnApplyWaitsForTheSaveLock) {
  StoreSettings({});
  const HANDLE lock = CreateMutexW(nullptr, TRUE, L"Global\\Quenda.SaveSettings");
  ASSERT_NE(lock, nullptr);
  const std::filesystem::path in = TempFolder() / "lock-in";
  WriteBytes(in, "pw\r\n");
  const PROCESS_INFORMATION waiting =
      StartCmd(L"quenda /enable /user:ann <\"" + in.native() + L"\"", nullptr);
  EXPECT_EQ(WaitForSingleObject(waiting.hProcess, 2000), WAIT_TIMEOUT);
  EXPECT_EQ(StoredSettings(), Settings{});
  ReleaseMutex(lock);
  EXPECT_EQ(Finish(waiting), 0);
  EXPECT_EQ(StoredSettings().at(L"DefaultUserName"), L"ann");

  // A thread that takes the lock and ends holding it leaves it abandoned.
  const HANDLE holder = CreateThread(
      nullptr, 0,
      [](void* mutex) -> DWORD { return WaitForSingleObject(static_cast<HANDLE>(mutex), 0); }, lock,
      0, nullptr);
  WaitForSingleObject(holder, INFINITE);
  CloseHandle(holder);
  const PROCESS_INFORMATION disabling = StartCmd(L"quenda /disable", nullptr);
  EXPECT_EQ(WaitForSingleObject(disabling.hProcess, 10000), WAIT_OBJECT_0);
  EXPECT_EQ(Finish(disabling), 0);
  EXPECT_EQ(StoredSettings().at(L"AutoAdminLogon"), L"0");
  CloseHandle(lock);
}

BOOL WINAPI IgnoreControl(DWORD) {
  return TRUE;
}

// Ctrl+C at the hidden password prompt ends quenda.com with the console's echo on again and
// nothing written. The test takes a console of its own for quenda.com to share (the one Wine gives
// a program started without a terminal keeps no input mode), and keeps it afterwards.
TEST(ConsoleInputUnderWine, CtrlCAtThePromptRestoresTheEcho) {
  StoreSettings({});
  FreeConsole();
  ASSERT_TRUE(AllocConsole());
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD before = 0;
  ASSERT_TRUE(GetConsoleMode(input, &before));
  ASSERT_NE(before & ENABLE_ECHO_INPUT, 0u);
  std::wstring line = L"quenda.com /enable /user:ann";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &started));
  DWORD mode = before;
  for (int i = 0; i < 100 && (mode & ENABLE_ECHO_INPUT) != 0; ++i) {
    Sleep(50);
    GetConsoleMode(input, &mode);
  }
  EXPECT_EQ(mode & ENABLE_ECHO_INPUT, 0u) << "the prompt never turned the echo off";
  // Ctrl+C reaches every process of the console. This one lets it pass, and keeps doing so: its
  // handler may run after quenda.com has ended.
  SetConsoleCtrlHandler(IgnoreControl, TRUE);
  EXPECT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
  EXPECT_EQ(WaitForSingleObject(started.hProcess, 10000), WAIT_OBJECT_0);
  TerminateProcess(started.hProcess, 1);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  DWORD after = 0;
  GetConsoleMode(input, &after);
  EXPECT_EQ(after, before);
  EXPECT_EQ(StoredSettings(), Settings{});
}

// What one /enable run of the race stores: its user, password, domain and flag.
struct Apply {
  std::wstring user, password, domain;
  bool automatic;

  std::wstring Command() const {
    return L"quenda /enable /user:" + user + L" /domain:" + domain +
           (automatic ? L" /automatic" : L"") + L" >NUL 2>NUL";
  }
  Settings Stored() const {
    return {{L"AutoAdminLogon", L"1"},
            {L"DefaultUserName", user},
            {L"DefaultPassword", Hidden(password)},
            {L"DefaultDomainName", domain},
            {L"Quenda", automatic ? L"1" : L"0"},
            {L"Run", std::filesystem::current_path().native() + L"\\Quenda.exe"}};
  }
};

// Two /enable runs started at the same moment, twenty times: each ends with 0 and the registry
// always holds one run's whole configuration, never one run's user with the other's password,
// domain or flag.
TEST(ConsoleInputUnderWine, SimultaneousEnablesNeverMix) {
  constexpr int kTrials = 20;
  constexpr DWORD kStartUp = 400;  // milliseconds for cmd and quenda.com to start under Wine
  int mixed = 0;
  for (int trial = 0; trial < kTrials; ++trial) {
    const std::wstring n = std::to_wstring(trial);
    const Apply applies[2] = {{L"ann" + n, L"pa-" + n, L"EAST" + n, true},
                              {L"bob" + n, L"pb-" + n, L"WEST" + n, false}};
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
      started[i] = StartCmd(applies[i].Command(), input);
      CloseHandle(input);
    }
    Sleep(kStartUp);
    for (int i = 0; i < 2; ++i) {
      const std::string line(applies[i].password.begin(), applies[i].password.end());
      DWORD written = 0;
      WriteFile(lines[i], (line + "\r\n").data(), static_cast<DWORD>(line.size() + 2), &written,
                nullptr);
    }
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(Finish(started[i]), 0);
      CloseHandle(lines[i]);
    }
    const Settings stored = StoredSettings();
    if (stored != applies[0].Stored() && stored != applies[1].Stored())
      ++mixed;
  }
  std::printf("%d of %d simultaneous pairs ended mixed\n", mixed, kTrials);
  EXPECT_EQ(mixed, 0);
}

}  // namespace
