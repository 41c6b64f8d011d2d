// quenda.com under Wine, started through cmd as a user or a script would: "quenda" must reach the
// console companion, its exit code must reach the caller, and the registry must hold what the
// dialog's OK would have written.
#include <windows.h>
#include <aclapi.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <tuple>

namespace {

constexpr wchar_t kWinlogon[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr wchar_t kRun[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kComputerName[] =
    L"System\\CurrentControlSet\\control\\ComputerName\\ComputerName";
constexpr wchar_t kInternational[] = L"Control Panel\\International";

using Values = std::map<std::wstring, std::wstring>;
// The values the tests read and write: Quenda's Winlogon values by name, its Run entry as "Run",
// the machine's name and the user's locale.
const wchar_t* const kValues[] = {L"AutoAdminLogon",    L"DefaultUserName", L"DefaultPassword",
                                  L"DefaultDomainName", L"Quenda",          L"Run",
                                  L"ComputerName",      L"Locale"};

std::tuple<HKEY, const wchar_t*, const wchar_t*> Where(const wchar_t* value) {
  const std::wstring_view name = value;
  if (name == L"Run")
    return {HKEY_LOCAL_MACHINE, kRun, L"Quenda"};
  if (name == L"ComputerName")
    return {HKEY_LOCAL_MACHINE, kComputerName, value};
  return {name == L"Locale" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE,
          name == L"Locale" ? kInternational : kWinlogon, value};
}

Values Stored() {
  Values values;
  for (const wchar_t* value : kValues) {
    const auto [root, path, name] = Where(value);
    wchar_t text[1024];
    DWORD size = sizeof text;
    if (RegGetValueW(root, path, name, RRF_RT_REG_SZ, nullptr, text, &size) == 0)
      values[value] = text;
  }
  return values;
}

// Makes the values exactly `values`: those named written, every other deleted.
void Store(const Values& values) {
  for (const wchar_t* value : kValues) {
    const auto [root, path, name] = Where(value);
    if (const auto found = values.find(value); found != values.end()) {
      const auto bytes = static_cast<DWORD>((found->second.size() + 1) * sizeof(wchar_t));
      RegSetKeyValueW(root, path, name, REG_SZ, found->second.c_str(), bytes);
    } else {
      RegDeleteKeyValueW(root, path, name);
    }
  }
}

// Compares without printing a password: its text shows only as whether it matches.
void ExpectStored(Values expected) {
  Values actual = Stored();
  EXPECT_TRUE(actual[L"DefaultPassword"] == expected[L"DefaultPassword"]) << "password differs";
  actual.erase(L"DefaultPassword");
  expected.erase(L"DefaultPassword");
  EXPECT_EQ(actual, expected);
}

std::wstring BinFolder() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path().wstring();
}

struct Outcome {
  DWORD exitCode = 0;
  std::string output, error;
};

// Runs `command` through "cmd /c" in the folder of quenda.com, with `input` as standard input and
// the two outputs caught in files (as a script's redirections would).
Outcome Cmd(const std::wstring& command, const std::string& input = {}) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  // Fresh names every time: a closed file lives on while a process that inherited it runs.
  static int runs = 0;
  ++runs;
  const auto file = [&](const wchar_t* name) {
    const std::wstring path = std::filesystem::temp_directory_path().wstring() + name +
                              std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(runs);
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                       FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  };
  HANDLE files[] = {file(L"cli-in"), file(L"cli-out"), file(L"cli-err")};
  DWORD done = 0;
  WriteFile(files[0], input.data(), static_cast<DWORD>(input.size()), &done, nullptr);
  SetFilePointer(files[0], 0, nullptr, FILE_BEGIN);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = files[0];
  startup.hStdOutput = files[1];
  startup.hStdError = files[2];
  std::wstring line = L"cmd.exe /c " + command;
  PROCESS_INFORMATION process{};
  Outcome outcome;
  outcome.exitCode = ~0u;  // not started
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                     BinFolder().c_str(), &startup, &process)) {
    WaitForSingleObject(process.hProcess, 30000);
    GetExitCodeProcess(process.hProcess, &outcome.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  for (auto [caught, text] : {std::pair(files[1], &outcome.output), {files[2], &outcome.error}}) {
    text->resize(GetFileSize(caught, nullptr));
    SetFilePointer(caught, 0, nullptr, FILE_BEGIN);
    ReadFile(caught, text->data(), static_cast<DWORD>(text->size()), &done, nullptr);
  }
  for (HANDLE handle : files)
    CloseHandle(handle);
  return outcome;
}

// Each test starts from a fresh system in English and puts the machine's values back afterwards.
class ConsoleUnderWine : public testing::Test {
 protected:
  void SetUp() override {
    saved_ = Stored();
    Store(fresh_);
  }
  void TearDown() override { Store(saved_); }

  const Values fresh_ = {{L"ComputerName", L"CLI-PC"}, {L"Locale", L"00000409"}};
  Values saved_;
};

TEST_F(ConsoleUnderWine, StatusEnableAndDisableThroughCmd) {
  const std::string kFreshStatus =
      "Machine name: CLI-PC\r\nAutomatic logon: off\r\nUser name:\r\nDomain name:\r\n"
      "Password stored: no\r\nAutomatically: off\r\nRun entry:\r\n";
  Outcome run = Cmd(L"quenda /status");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.output, kFreshStatus);
  EXPECT_EQ(run.error, "");

  run = Cmd(L"quenda /enable /user:ann /domain:CORP /automatic", "s3cret\r\n");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.output + run.error, "");
  // The build folder's path has no blank, so the entry stays unquoted.
  Values enabled = fresh_;
  // clang-format off
  enabled.insert({{L"AutoAdminLogon", L"1"}, {L"DefaultUserName", L"ann"},
                  {L"DefaultPassword", L"s3cret"}, {L"DefaultDomainName", L"CORP"},
                  {L"Quenda", L"1"}, {L"Run", BinFolder() + L"\\Quenda.exe"}});
  // clang-format on
  ExpectStored(enabled);

  run = Cmd(L"QUENDA -DISABLE");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.output + run.error, "");
  Values disabled = fresh_;
  disabled.insert({{L"AutoAdminLogon", L"0"},
                   {L"DefaultUserName", L"ann"},
                   {L"DefaultDomainName", L"CORP"},
                   {L"Quenda", L"0"}});
  ExpectStored(disabled);
}

TEST_F(ConsoleUnderWine, HelpOnStandardOutputUsageErrorsOnStandardErrorWritingNothing) {
  const struct {
    const wchar_t* command;
    DWORD exitCode;
  } kCases[] = {
      {L"quenda /?", 0},
      {L"quenda", 2},
      {L"quenda /enable /user:a /user:b", 2},
      {L"quenda -status:1", 2},
  };
  for (const auto& c : kCases) {
    const Outcome run = Cmd(c.command, "pw\r\n");
    EXPECT_EQ(run.exitCode, c.exitCode) << c.command;
    const std::string& help = c.exitCode == 0 ? run.output : run.error;
    EXPECT_EQ(help.rfind("Quenda 2.3.2 - ", 0), 0u) << c.command;
    EXPECT_EQ(run.output.size() + run.error.size(), help.size()) << c.command;
    ExpectStored(fresh_);
  }
}

TEST_F(ConsoleUnderWine, AFailedWriteShowsTheDialogsMessageChangesNothingAndExitsWithOne) {
  // Nobody may write the Winlogon key: an entry that denies everyone, which Wine enforces as long
  // as its server runs.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kWinlogon, 0, READ_CONTROL | WRITE_DAC, &key), 0);
  PACL original = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  GetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &original,
                  nullptr, &descriptor);
  BYTE everyone[SECURITY_MAX_SID_SIZE];
  DWORD sidSize = sizeof everyone;
  CreateWellKnownSid(WinWorldSid, nullptr, everyone, &sidSize);
  EXPLICIT_ACCESSW deny{};
  deny.grfAccessPermissions = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;
  deny.grfAccessMode = DENY_ACCESS;
  deny.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  deny.Trustee.ptstrName = reinterpret_cast<LPWSTR>(everyone);
  PACL denying = nullptr;
  SetEntriesInAclW(1, &deny, original, &denying);
  ASSERT_EQ(SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                            denying, nullptr),
            0u);

  const Outcome run = Cmd(L"quenda /enable /user:ann", "pw\r\n");
  SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, original,
                  nullptr);
  LocalFree(denying);
  LocalFree(descriptor);
  RegCloseKey(key);
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_EQ(run.error, "Cannot operate Auto Logon!\r\nMaybe the user not administrators.\r\n");
  EXPECT_EQ(run.output, "");
  ExpectStored(fresh_);
}

// Run on its own with LC_ALL=zh_TW.UTF-8, where Wine's ANSI code page is 950: a redirected output
// carries the Chinese texts in that code page.
TEST_F(ConsoleUnderWine, Cp950ChineseStatusInTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 950u);
  Store({{L"ComputerName", L"CLI-PC"}, {L"Locale", L"00000404"}});
  const Outcome run = Cmd(L"quenda /status");
  std::wstring output(run.output.size(), L'\0');
  output.resize(MultiByteToWideChar(950, 0, run.output.data(), static_cast<int>(run.output.size()),
                                    output.data(), static_cast<int>(output.size())));
  const std::wstring expected = L"電腦名稱: CLI-PC\r\n自動登入: 關閉\r\n";
  EXPECT_EQ(output.substr(0, expected.size()), expected);
}

}  // namespace
