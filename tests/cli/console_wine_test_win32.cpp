// quenda.com under Wine, started through cmd as a user or a script would: "quenda" must reach the
// console companion, its exit code must reach the caller, and the registry must hold what the
// dialog's OK would have written.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "settings_win32.h"

namespace {

using namespace quenda::e2e;

// The exit code, standard output and standard error; Outcome{} for done with nothing printed.
using Outcome = std::tuple<int, std::string, std::string>;

const std::string kPath = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\";

// Runs `command` through cmd in the working folder, that of quenda.com, with `input` as standard
// input and the two outputs redirected to files, as a script would.
Outcome Cmd(const std::wstring& command, const std::string& input = {}) {
  const std::filesystem::path temp = _wgetenv(L"TEMP");
  std::ofstream(temp / "cli-in", std::ios::binary) << input;
  const int exitCode =
      _wsystem((command + LR"( <"%TEMP%\cli-in" >"%TEMP%\cli-out" 2>"%TEMP%\cli-err")").c_str());
  const auto read = [&](const char* name) {
    std::ifstream file(temp / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  };
  return {exitCode, read("cli-out"), read("cli-err")};
}

// A fresh system through cmd. Help goes to standard output; a usage error shows it on standard
// error and exits with 2, writing nothing. The status then shows the fresh system; enable and
// disable store what the dialog's OK would. Last, a write the registry refuses shows the dialog's
// message on standard error, exits with 1 and changes nothing.
TEST(ConsoleUnderWine, HelpStatusEnableDisableAndErrorsThroughCmd) {
  StoreSettings({});
  const auto [exitCode, help, error] = Cmd(L"quenda /?");
  EXPECT_EQ(Outcome(exitCode, help.substr(0, 7), error), Outcome(0, "Quenda ", "")) << help;
  for (const wchar_t* command : {L"quenda", L"quenda /enable /user:a /user:b", L"quenda -status:1"})
    EXPECT_EQ(Cmd(command, "pw\r\n"), Outcome(2, "", help)) << command;
  EXPECT_EQ(StoredSettings(), Settings{});
  const std::string kFreshStatus =
      "Machine name: TEST-PC\r\nAutomatic logon: off\r\nUser name:\r\n"
      "Domain name:\r\nPassword stored: none\r\nAutomatically: off\r\nRun entry:\r\n"
      "[Blocker] " +
      kPath +
      "AutoAdminLogon: AutoAdminLogon is not 1: the automatic logon is off."
      "\r\n[Blocker] " +
      kPath +
      "DefaultUserName: DefaultUserName is empty: there is no user to "
      "log on.\r\n[Blocker] " +
      kPath +
      "DefaultPassword: DefaultPassword is empty: Windows turns "
      "the automatic logon off.\r\n";
  EXPECT_EQ(Cmd(L"quenda /status"), Outcome(0, kFreshStatus, ""));

  EXPECT_EQ(Cmd(L"quenda /enable /user:ann /domain:CORP /automatic", "s3cret\r\n"), Outcome{});
  // The build folder's path has no blank, so the entry stays unquoted.
  EXPECT_EQ(StoredSettings(),
            Settings({{L"AutoAdminLogon", L"1"},
                      {L"DefaultUserName", L"ann"},
                      {L"DefaultPassword", Hidden(L"s3cret")},
                      {L"DefaultDomainName", L"CORP"},
                      {L"Quenda", L"1"},
                      {L"Run", std::filesystem::current_path().native() + L"\\Quenda.exe"}}));
  EXPECT_EQ(Cmd(L"QUENDA -DISABLE"), Outcome{});
  const Settings disabled = {{L"AutoAdminLogon", L"0"},
                             {L"DefaultUserName", L"ann"},
                             {L"DefaultDomainName", L"CORP"},
                             {L"Quenda", L"0"}};
  EXPECT_EQ(StoredSettings(), disabled);

  const WinlogonWritesRefused refused;
  EXPECT_EQ(Cmd(L"quenda /enable /user:bob", "pw\r\n"),
            Outcome(1, "", "Cannot operate Auto Logon!\r\nMaybe the user not administrators.\r\n"));
  EXPECT_EQ(StoredSettings(), disabled);
}

// What the real registry makes of the edges: values of another type or too long to read stay as
// they are stored through /disable and /enable without /domain:; a name too long to be read back
// is refused with nothing written; settings whose key may not be read are reported as such, with
// exit code 1, not as a configuration that is off.
TEST(ConsoleUnderWine, ValuesItCannotShowStayAndUnreadableSettingsAreNotReportedAsOff) {
  StoreSettings({{L"AutoAdminLogon", L"1"}, {L"DefaultUserName", std::wstring(1500, L'u')}});
  const std::wstring expandable = L"%USERDOMAIN%";
  RegSetKeyValueW(HKEY_LOCAL_MACHINE, kWinlogon, L"DefaultDomainName", REG_EXPAND_SZ,
                  expandable.c_str(), static_cast<DWORD>((expandable.size() + 1) * 2));
  const auto domain = [] {
    wchar_t text[64] = L"";
    DWORD type = 0;
    DWORD size = sizeof(text);
    RegGetValueW(HKEY_LOCAL_MACHINE, kWinlogon, L"DefaultDomainName", RRF_RT_ANY | RRF_NOEXPAND,
                 &type, text, &size);
    return std::pair<DWORD, std::wstring>(type, text);
  };
  EXPECT_EQ(Cmd(L"quenda /disable"), Outcome{});
  EXPECT_EQ(Cmd(L"quenda /enable /user:" + std::wstring(1024, L'n'), "pw\r\n"),
            Outcome(1, "",
                    "The text you typed is too long to be read back once stored. Please "
                    "use a shorter one.\r\n"));
  EXPECT_EQ(StoredSettings()[L"DefaultUserName"], std::wstring(1500, L'u'));
  EXPECT_EQ(domain(), (std::pair<DWORD, std::wstring>(REG_EXPAND_SZ, expandable)));
  EXPECT_EQ(Cmd(L"quenda /enable /user:" + std::wstring(1023, L'n'), "pw\r\n"), Outcome{});
  EXPECT_EQ(StoredSettings()[L"DefaultUserName"], std::wstring(1023, L'n'));
  EXPECT_EQ(domain(), (std::pair<DWORD, std::wstring>(REG_EXPAND_SZ, expandable)));

  const WinlogonReadsRefused refused;
  EXPECT_EQ(Cmd(L"quenda /status"),
            Outcome(1, "",
                    "The automatic logon settings cannot be read: access is denied. Run "
                    "as an administrator.\r\n"));
}

// A configuration that cannot be read all is no answer: /check and /status say so on standard
// error and exit with 1, whatever else they could read. (The other exit codes of /check and the
// JSON are checked by readiness_wine_test.py.)
TEST(ConsoleUnderWine, CheckAndStatusExitWith1WhenAPolicyCannotBeRead) {
  StoreSettings({{L"AutoAdminLogon", L"1"}, {L"DefaultUserName", L"ann"}});
  const std::string kUnreadable =
      "The automatic logon settings cannot be read: access is denied. Run as an administrator.\r\n";
  EXPECT_EQ(std::get<0>(Cmd(L"quenda /check")), 3);
  const KeyAccessRefused refused(
      L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", kReadsRefused);
  EXPECT_EQ(Cmd(L"quenda /check"), Outcome(1, "", kUnreadable));
  EXPECT_EQ(Cmd(L"quenda /status /json"), Outcome(1, "", kUnreadable));
}

// /reapply, as a logon task runs it: with "Automatically" on, the automatic logon turned back on
// with the stored credentials and the Run entry; with it off, nothing changed and a line saying
// so. Under Wine the LSA has no secret, so the password is the registry's.
TEST(ConsoleUnderWine, ReapplyTurnsTheAutomaticLogonBackOnOnlyWhenAutomaticallyIsOn) {
  const Settings off = {{L"AutoAdminLogon", L"0"},
                        {L"DefaultUserName", L"ann"},
                        {L"DefaultPassword", L"s3cret"},
                        {L"DefaultDomainName", L"CORP"},
                        {L"Quenda", L"0"}};
  StoreSettings(off);
  const Settings stored = StoredSettings();
  EXPECT_EQ(Cmd(L"quenda /reapply"),
            Outcome(0, "\"Automatically\" is off: nothing was changed.\r\n", ""));
  EXPECT_EQ(StoredSettings(), stored);

  Settings on = off;
  on[L"Quenda"] = L"1";
  StoreSettings(on);
  Settings expected = StoredSettings();
  expected[L"AutoAdminLogon"] = L"1";
  expected[L"Run"] = std::filesystem::current_path().native() + L"\\Quenda.exe";
  EXPECT_EQ(Cmd(L"quenda /reapply"), Outcome{});
  EXPECT_EQ(StoredSettings(), expected);
}

// With the Winlogon and Run keys read-only, as for a standard user: /enable and /reapply of what
// is stored already succeed without a message; a change still fails as before, writing nothing.
TEST(ConsoleUnderWine, AnUnchangedConfigurationAppliesWithoutTheRightToWrite) {
  StoreSettings({{L"AutoAdminLogon", L"1"},
                 {L"DefaultUserName", L"ann"},
                 {L"DefaultPassword", L"s3cret"},
                 {L"DefaultDomainName", L"CORP"},
                 {L"Quenda", L"1"},
                 {L"Run", std::filesystem::current_path().native() + L"\\Quenda.exe"}});
  const Settings stored = StoredSettings();
  const StandardUserWritesRefused refused;
  EXPECT_EQ(Cmd(L"quenda /enable /user:ann /automatic", "s3cret\r\n"), Outcome{});
  EXPECT_EQ(Cmd(L"quenda /reapply"), Outcome{});
  EXPECT_EQ(Cmd(L"quenda /enable /user:ann /automatic", "changed\r\n"),
            Outcome(1, "", "Cannot operate Auto Logon!\r\nMaybe the user not administrators.\r\n"));
  EXPECT_EQ(StoredSettings(), stored);
}

// Run on its own with LC_ALL=zh_TW.UTF-8, where Wine's ANSI code page is 950: a redirected output
// carries the Chinese texts in that code page.
TEST(ConsoleUnderWine, Cp950ChineseStatusInTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 950u);
  StoreSettings({{L"Locale", L"00000404"}});
  const std::string output = std::get<1>(Cmd(L"quenda /status"));
  std::wstring text(output.size(), L'\0');
  text.resize(MultiByteToWideChar(950, 0, output.data(), static_cast<int>(output.size()),
                                  text.data(), static_cast<int>(text.size())));
  EXPECT_TRUE(text.starts_with(L"電腦名稱: TEST-PC\r\n自動登入: 關閉\r\n"));
}

}  // namespace
