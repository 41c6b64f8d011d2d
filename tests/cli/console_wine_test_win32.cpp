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
  void SetUp() override { StoreSettings({{L"ComputerName", L"CLI-PC"}, {L"Locale", L"00000409"}}); }
};

TEST_F(ConsoleUnderWine, StatusEnableAndDisableThroughCmd) {
  const std::string kFreshStatus =
      "Machine name: CLI-PC\r\nAutomatic logon: off\r\nUser name:\r\n"
      "Domain name:\r\nPassword stored: no\r\nAutomatically: off\r\nRun entry:\r\n";
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
  EXPECT_EQ(StoredSettings(), Settings({{L"AutoAdminLogon", L"0"},
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
  EXPECT_EQ(StoredSettings(), Settings{});
}

TEST_F(ConsoleUnderWine, AFailedWriteShowsTheDialogsMessageChangesNothingAndExitsWithOne) {
  const WinlogonWritesRefused refused;
  ASSERT_TRUE(refused.Applied());
  const Outcome run = Cmd(L"quenda /enable /user:ann", "pw\r\n");
  EXPECT_EQ(run,
            Outcome(1, "", "Cannot operate Auto Logon!\r\nMaybe the user not administrators.\r\n"));
  EXPECT_EQ(StoredSettings(), Settings{});
}

// Run on its own with LC_ALL=zh_TW.UTF-8, where Wine's ANSI code page is 950: a redirected output
// carries the Chinese texts in that code page.
TEST_F(ConsoleUnderWine, Cp950ChineseStatusInTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 950u);
  StoreSettings({{L"ComputerName", L"CLI-PC"}, {L"Locale", L"00000404"}});
  const std::string output = std::get<1>(Cmd(L"quenda /status"));
  std::wstring text(output.size(), L'\0');
  text.resize(MultiByteToWideChar(950, 0, output.data(), static_cast<int>(output.size()),
                                  text.data(), static_cast<int>(text.size())));
  EXPECT_TRUE(text.starts_with(L"電腦名稱: CLI-PC\r\n自動登入: 關閉\r\n"));
}

}  // namespace
