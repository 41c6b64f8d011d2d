// quenda.com under Wine, fed through cmd as scripts and deployment tools feed it: standard input it
// cannot store faithfully writes nothing, and two applies started together never mix.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "settings_win32.h"

namespace {

using namespace quenda::e2e;

// Starts `command` through cmd in the working folder (that of quenda.com), with `input` as
// standard input.
PROCESS_INFORMATION StartCmd(const std::wstring& command, HANDLE input) {
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

// Waits for a process StartCmd started and returns its exit code.
int Finish(const PROCESS_INFORMATION& started) {
  WaitForSingleObject(started.hProcess, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(started.hProcess, &exitCode);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return static_cast<int>(exitCode);
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
