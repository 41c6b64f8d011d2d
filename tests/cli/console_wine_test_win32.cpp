// quenda.com under Wine, started through cmd as a user or a script would: "quenda" must reach the
// console companion, its exit code must reach the caller, and the registry must hold what the
// dialog's OK would have written.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <span>
#include <string>
#include <tuple>

namespace {

constexpr wchar_t kWinlogon[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const HKEY kMachine = HKEY_LOCAL_MACHINE;

// The values the tests read and write, each by its label and where it lives: first the six
// Quenda writes (its Winlogon values and its Run entry), then the machine's name and the user's
// locale.
const std::tuple<const wchar_t*, HKEY, const wchar_t*, const wchar_t*> kPlaces[] = {
    {L"AutoAdminLogon", kMachine, kWinlogon, L"AutoAdminLogon"},
    {L"DefaultUserName", kMachine, kWinlogon, L"DefaultUserName"},
    {L"DefaultPassword", kMachine, kWinlogon, L"DefaultPassword"},
    {L"DefaultDomainName", kMachine, kWinlogon, L"DefaultDomainName"},
    {L"Quenda", kMachine, kWinlogon, L"Quenda"},
    {L"Run", kMachine, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"Quenda"},
    {L"ComputerName", kMachine, L"System\\CurrentControlSet\\control\\ComputerName\\ComputerName",
     L"ComputerName"},
    {L"Locale", HKEY_CURRENT_USER, L"Control Panel\\International", L"Locale"},
};
using Values = std::map<std::wstring, std::wstring>;

// A password as Stored() shows it: a failing comparison must not print the text itself.
std::wstring Hidden(std::wstring_view password) {
  return L"hash " + std::to_wstring(std::hash<std::wstring_view>{}(password));
}

// The six values Quenda writes as stored, a password hidden; or, to put back later, all the
// values in clear.
Values Stored(bool all = false) {
  Values values;
  for (const auto& [label, root, key, name] :
       std::span(kPlaces).first(all ? std::size(kPlaces) : 6)) {
    wchar_t text[1024];
    DWORD size = sizeof text;
    if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size) == 0)
      values[label] = all || label != std::wstring_view(L"DefaultPassword") ? text : Hidden(text);
  }
  return values;
}

// Makes the values exactly `values` (a password in clear): those named written, every other
// deleted.
void Store(const Values& values) {
  for (const auto& [label, root, key, name] : kPlaces) {
    const auto found = values.find(label);
    if (found == values.end())
      RegDeleteKeyValueW(root, key, name);
    else
      RegSetKeyValueW(root, key, name, REG_SZ, found->second.c_str(),
                      static_cast<DWORD>((found->second.size() + 1) * sizeof(wchar_t)));
  }
}

// The exit code, standard output and standard error; Outcome{} for done with nothing printed.
using Outcome = std::tuple<int, std::string, std::string>;

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

// Each test starts from a fresh system in English and puts the machine's values back afterwards.
class ConsoleUnderWine : public testing::Test {
 protected:
  void SetUp() override { Store({{L"ComputerName", L"CLI-PC"}, {L"Locale", L"00000409"}}); }
  void TearDown() override { Store(saved_); }
  const Values saved_ = Stored(true);
};

TEST_F(ConsoleUnderWine, StatusEnableAndDisableThroughCmd) {
  const std::string kFreshStatus =
      "Machine name: CLI-PC\r\nAutomatic logon: off\r\nUser name:\r\n"
      "Domain name:\r\nPassword stored: no\r\nAutomatically: off\r\nRun entry:\r\n";
  EXPECT_EQ(Cmd(L"quenda /status"), Outcome(0, kFreshStatus, ""));
  EXPECT_EQ(Cmd(L"quenda /enable /user:ann /domain:CORP /automatic", "s3cret\r\n"), Outcome{});
  // The build folder's path has no blank, so the entry stays unquoted.
  EXPECT_EQ(Stored(),
            Values({{L"AutoAdminLogon", L"1"},
                    {L"DefaultUserName", L"ann"},
                    {L"DefaultPassword", Hidden(L"s3cret")},
                    {L"DefaultDomainName", L"CORP"},
                    {L"Quenda", L"1"},
                    {L"Run", std::filesystem::current_path().native() + L"\\Quenda.exe"}}));
  EXPECT_EQ(Cmd(L"QUENDA -DISABLE"), Outcome{});
  EXPECT_EQ(Stored(), Values({{L"AutoAdminLogon", L"0"},
                              {L"DefaultUserName", L"ann"},
                              {L"DefaultDomainName", L"CORP"},
                              {L"Quenda", L"0"}}));
}

TEST_F(ConsoleUnderWine, HelpOnStandardOutputUsageErrorsShowItOnStandardErrorWritingNothing) {
  const auto [exitCode, help, error] = Cmd(L"quenda /?");
  EXPECT_EQ(exitCode, 0);
  EXPECT_TRUE(help.starts_with("Quenda ")) << help;
  EXPECT_EQ(error, "");
  for (const wchar_t* command : {L"quenda", L"quenda /enable /user:a /user:b", L"quenda -status:1"})
    EXPECT_EQ(Cmd(command, "pw\r\n"), Outcome(2, "", help)) << command;
  EXPECT_EQ(Stored(), Values{});
}

TEST_F(ConsoleUnderWine, AFailedWriteShowsTheDialogsMessageChangesNothingAndExitsWithOne) {
  // Nobody may set a value in the Winlogon key or add a key below it; Wine enforces the entry as
  // long as its server runs.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(kMachine, kWinlogon, 0, READ_CONTROL | WRITE_DAC, &key), 0);
  BYTE original[4096];
  DWORD size = sizeof original;
  ASSERT_EQ(RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, original, &size), 0);
  PSECURITY_DESCRIPTOR denying = nullptr;
  ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;0x6;;;WD)(A;;KA;;;WD)",
                                                       SDDL_REVISION_1, &denying, nullptr);
  ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, denying), 0);
  const Outcome run = Cmd(L"quenda /enable /user:ann", "pw\r\n");
  RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, original);
  LocalFree(denying);
  RegCloseKey(key);
  EXPECT_EQ(run,
            Outcome(1, "", "Cannot operate Auto Logon!\r\nMaybe the user not administrators.\r\n"));
  EXPECT_EQ(Stored(), Values{});
}

// Run on its own with LC_ALL=zh_TW.UTF-8, where Wine's ANSI code page is 950: a redirected output
// carries the Chinese texts in that code page.
TEST_F(ConsoleUnderWine, Cp950ChineseStatusInTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 950u);
  Store({{L"ComputerName", L"CLI-PC"}, {L"Locale", L"00000404"}});
  const std::string output = std::get<1>(Cmd(L"quenda /status"));
  std::wstring text(output.size(), L'\0');
  text.resize(MultiByteToWideChar(950, 0, output.data(), static_cast<int>(output.size()),
                                  text.data(), static_cast<int>(text.size())));
  EXPECT_TRUE(text.starts_with(L"電腦名稱: CLI-PC\r\n自動登入: 關閉\r\n"));
}

}  // namespace
