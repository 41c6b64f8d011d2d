// quenda.com under Wine, started through cmd as a user or a script would: "quenda" must reach the
// console companion, its exit code must reach the caller, and the registry must hold what the
// dialog's OK would have written.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings_win32.h"

namespace {

using namespace quenda::e2e;

const std::string kRefused = "Cannot operate Auto Logon!\r\nMaybe the user not administrators.\r\n";
const std::string kUnreadable =
    "The automatic logon settings cannot be read: access is denied. Run as an administrator.\r\n";
const std::string kBlocker =
    "[Blocker] HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\";

// A fresh system through cmd. Help goes to standard output; a usage error shows it on standard
// error and exits with 2, writing nothing. The status then shows the fresh system with its
// findings; enable and disable store what the dialog's OK would. Last, a write the registry
// refuses shows the dialog's message on standard error, exits with 1 and changes nothing.
TEST(ConsoleUnderWine, HelpStatusEnableDisableAndErrorsThroughCmd) {
  StoreSettings({});
  const auto [exitCode, help, error] = Cmd(L"quenda /?");
  EXPECT_EQ(Outcome(exitCode, help.substr(0, 7), error), Outcome(0, "Quenda ", "")) << help;
  for (const wchar_t* command : {L"quenda", L"quenda /enable /user:a /user:b", L"quenda -status:1"})
    EXPECT_EQ(Cmd(command, "pw\r\n"), Outcome(2, "", help)) << command;
  EXPECT_EQ(StoredSettings(), Settings{});
  EXPECT_EQ(
      Cmd(L"quenda /status"),
      Outcome(0,
              "Machine name: TEST-PC\r\nAutomatic logon: off\r\nUser name:\r\nDomain name:\r\n"
              "Password stored: none\r\nAutomatically: off\r\nRun entry:\r\n" +
                  kBlocker +
                  "AutoAdminLogon: AutoAdminLogon is not 1: the automatic logon "
                  "is off.\r\n" +
                  kBlocker +
                  "DefaultUserName: DefaultUserName is empty: "
                  "there is no user to log on.\r\n" +
                  kBlocker +
                  "DefaultPassword: "
                  "DefaultPassword is empty: Windows turns the automatic logon off.\r\n",
              ""));

  EXPECT_EQ(Cmd(L"quenda /enable /user:ann /domain:CORP /automatic", "s3cret\r\n"), Outcome{});
  EXPECT_EQ(StoredSettings(), Settings({{L"AutoAdminLogon", L"1"},
                                        {L"DefaultUserName", L"ann"},
                                        {L"DefaultPassword", Hidden(L"s3cret")},
                                        {L"DefaultDomainName", L"CORP"},
                                        {L"Quenda", L"1"},
                                        {L"Run", RunEntry()}}));
  EXPECT_EQ(Cmd(L"QUENDA -DISABLE"), Outcome{});
  const Settings disabled = {{L"AutoAdminLogon", L"0"},
                             {L"DefaultUserName", L"ann"},
                             {L"DefaultDomainName", L"CORP"},
                             {L"Quenda", L"0"}};
  EXPECT_EQ(StoredSettings(), disabled);

  const KeyAccessRefused refused(kWinlogon, kWritesRefused);
  EXPECT_EQ(Cmd(L"quenda /enable /user:bob", "pw\r\n"), Outcome(1, "", kRefused));
  EXPECT_EQ(StoredSettings(), disabled);
}

// What the real registry makes of the edges: values of another type or too long to read stay as
// they are stored through /disable and /enable without /domain:; a name too long to be read back
// is refused with nothing written; settings whose key may not be read are reported as such, with
// exit code 1, not as a configuration that is off.
TEST(ConsoleUnderWine, ValuesItCannotShowStayAndUnreadableSettingsAreNotReportedAsOff) {
  StoreSettings({{L"AutoAdminLogon", L"1"}, {L"DefaultUserName", std::wstring(1500, L'u')}});
  const RawValue domain = StoreExpandableDomain();
  EXPECT_EQ(Cmd(L"quenda /disable"), Outcome{});
  EXPECT_EQ(Cmd(L"quenda /enable /user:" + std::wstring(1024, L'n'), "pw\r\n"),
            Outcome(1, "",
                    "The text you typed is too long to be read back once stored. Please use a "
                    "shorter one.\r\n"));
  EXPECT_EQ(StoredSettings()[L"DefaultUserName"], std::wstring(1500, L'u'));
  EXPECT_EQ(RawWinlogonValue(L"DefaultDomainName"), domain);
  EXPECT_EQ(Cmd(L"quenda /enable /user:" + std::wstring(1023, L'n'), "pw\r\n"), Outcome{});
  EXPECT_EQ(StoredSettings()[L"DefaultUserName"], std::wstring(1023, L'n'));
  EXPECT_EQ(RawWinlogonValue(L"DefaultDomainName"), domain);

  const KeyAccessRefused refused(kWinlogon, kReadsRefused);
  EXPECT_EQ(Cmd(L"quenda /status"), Outcome(1, "", kUnreadable));
}

// A configuration that cannot be read all is no answer: /check and /status say so on standard
// error and exit with 1, whatever else they could read. (The other exit codes of /check and the
// JSON are checked by readiness_wine_test.py.)
TEST(ConsoleUnderWine, CheckAndStatusExitWith1WhenAPolicyCannotBeRead) {
  StoreSettings({{L"AutoAdminLogon", L"1"}, {L"DefaultUserName", L"ann"}});
  EXPECT_EQ(std::get<0>(Cmd(L"quenda /check")), 3);
  const KeyAccessRefused refused(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
                                 kReadsRefused);
  EXPECT_EQ(Cmd(L"quenda /check"), Outcome(1, "", kUnreadable));
  EXPECT_EQ(Cmd(L"quenda /status /json"), Outcome(1, "", kUnreadable));
}

// /reapply, as a logon task runs it: with "Automatically" on, the automatic logon turned back on
// with the stored credentials and the Run entry; with it off, nothing changed and a line saying
// so. Under Wine the LSA has no secret, so the password is the registry's. With the Winlogon and
// Run keys read-only, as for a standard user, /enable and /reapply of what is stored already
// succeed without a message; a change still fails as before, writing nothing.
TEST(ConsoleUnderWine, ReapplyTurnsTheLogonBackOnOnlyWhenAutomaticallyIsOnAndNeedsNoRightToWrite) {
  Settings settings = {{L"AutoAdminLogon", L"0"},
                       {L"DefaultUserName", L"ann"},
                       {L"DefaultPassword", L"s3cret"},
                       {L"DefaultDomainName", L"CORP"},
                       {L"Quenda", L"0"}};
  StoreSettings(settings);
  Settings stored = StoredSettings();
  EXPECT_EQ(Cmd(L"quenda /reapply"),
            Outcome(0, "\"Automatically\" is off: nothing was changed.\r\n", ""));
  EXPECT_EQ(StoredSettings(), stored);

  settings[L"Quenda"] = L"1";
  StoreSettings(settings);
  stored = StoredSettings();
  stored[L"AutoAdminLogon"] = L"1";
  stored[L"Run"] = RunEntry();
  EXPECT_EQ(Cmd(L"quenda /reapply"), Outcome{});
  EXPECT_EQ(StoredSettings(), stored);

  const StandardUserWritesRefused refused;
  EXPECT_EQ(Cmd(L"quenda /enable /user:ann /automatic", "s3cret\r\n"), Outcome{});
  EXPECT_EQ(Cmd(L"quenda /reapply"), Outcome{});
  EXPECT_EQ(Cmd(L"quenda /enable /user:ann /automatic", "changed\r\n"), Outcome(1, "", kRefused));
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
