// Quenda's settings in the real registry, as a test program under Wine reads and prepares them
// through the wide API, keys whose access is refused, and quenda.com run through cmd.
#pragma once

#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <tuple>

namespace quenda::e2e {

using Settings = std::map<std::wstring, std::wstring>;

inline const wchar_t kWinlogon[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline const wchar_t kRun[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Each setting by its label and where it lives: the six values Quenda writes (its Winlogon values
// and its Run entry), then the machine's name and the user's locale, which it only reads.
inline const std::tuple<const wchar_t*, HKEY, const wchar_t*, const wchar_t*> kSettings[] = {
    {L"AutoAdminLogon", HKEY_LOCAL_MACHINE, kWinlogon, L"AutoAdminLogon"},
    {L"DefaultUserName", HKEY_LOCAL_MACHINE, kWinlogon, L"DefaultUserName"},
    {L"DefaultPassword", HKEY_LOCAL_MACHINE, kWinlogon, L"DefaultPassword"},
    {L"DefaultDomainName", HKEY_LOCAL_MACHINE, kWinlogon, L"DefaultDomainName"},
    {L"Quenda", HKEY_LOCAL_MACHINE, kWinlogon, L"Quenda"},
    {L"Run", HKEY_LOCAL_MACHINE, kRun, L"Quenda"},
    {L"ComputerName", HKEY_LOCAL_MACHINE,
     L"System\\CurrentControlSet\\Control\\ComputerName\\ComputerName", L"ComputerName"},
    {L"Locale", HKEY_CURRENT_USER, L"Control Panel\\International", L"Locale"}};
inline constexpr std::size_t kWrittenSettings = 6;

// The folder of this test program, which is also its working folder: quenda.exe, quenda.com and
// the readme files lie there.
inline std::wstring ProgramDirectory() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  return std::filesystem::path(path).parent_path().wstring();
}

// The Run entry Quenda stores when started from here: the build folder's path has no blank, so the
// entry stays unquoted.
inline std::wstring RunEntry() {
  return ProgramDirectory() + L"\\Quenda.exe";
}

// A password as StoredSettings shows it: a failing comparison must not print the text itself.
inline std::wstring Hidden(std::wstring_view password) {
  return L"hash " + std::to_wstring(std::hash<std::wstring_view>{}(password));
}

// The values Quenda writes, as stored; the password hidden, a value of another type than REG_SZ
// shown with its type.
inline Settings StoredSettings() {
  Settings settings;
  for (const auto& [label, root, key, name] : std::span(kSettings, kWrittenSettings)) {
    wchar_t text[4096] = {};  // more than the routines read, so that longer values show too
    DWORD size = sizeof(text), type = 0;
    if (RegGetValueW(root, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, text, &size) == 0)
      settings[label] = (type == REG_SZ ? L"" : L"type " + std::to_wstring(type) + L": ") +
                        (std::wstring_view(label) == L"DefaultPassword" ? Hidden(text) : text);
  }
  return settings;
}

// Makes the system a fresh one holding just `settings` (a password in clear; an empty text stores
// nothing): every value Quenda writes deleted unless named, the machine named TEST-PC and the
// locale English unless named. The prefix is a throwaway one, and every test prepares it so.
inline void StoreSettings(Settings settings) {
  settings.merge(Settings{{L"ComputerName", L"TEST-PC"}, {L"Locale", L"00000409"}});
  for (const auto& [label, root, key, name] : kSettings) {
    RegDeleteKeyValueW(root, key, name);
    if (!settings[label].empty())  // stored without a NUL, as Quenda stores text
      RegSetKeyValueW(root, key, name, REG_SZ, settings[label].c_str(),
                      static_cast<DWORD>(settings[label].size() * sizeof(wchar_t)));
  }
}

// Access lists: everyone refused setting values, adding keys and deleting (0x10006), or reading
// values (0x1); everyone allowed everything else (KA).
inline constexpr wchar_t kWritesRefused[] = L"D:(D;;0x10006;;;WD)(A;;KA;;;WD)";
inline constexpr wchar_t kReadsRefused[] = L"D:(D;;0x1;;;WD)(A;;KA;;;WD)";

// Gives a key of HKLM (created when missing) the access list `accessList` while it lives, then
// gives everyone full access again: the wineserver of the test's own prefix enforces a key's
// access list while it runs. Without the refusal the access would succeed and the test would
// show nothing, hence the check.
struct KeyAccessRefused {
  KeyAccessRefused(const wchar_t* key, const wchar_t* accessList) : subKey(key) {
    EXPECT_TRUE(SetAccess(accessList));
  }
  ~KeyAccessRefused() { SetAccess(L"D:(A;;KA;;;WD)"); }

  bool SetAccess(const wchar_t* accessList) const {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, subKey, 0, nullptr, 0, WRITE_DAC, nullptr, &key, nullptr);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(accessList, SDDL_REVISION_1, &descriptor,
                                                         nullptr);
    const bool set = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    RegCloseKey(key);
    return set;
  }
  const wchar_t* subKey;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Text in code page 950 (Big5), as a program of Wine's Traditional Chinese environment writes it.
inline std::wstring FromBig5(const std::string& bytes) {
  std::wstring text(bytes.size(), L'\0');
  const int size = static_cast<int>(bytes.size());
  text.resize(MultiByteToWideChar(950, 0, bytes.data(), size, text.data(), size));
  return text;
}

// Starts `commandLine` in this program's console; its process.
inline HANDLE StartProcess(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  EXPECT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &started))
      << "error " << GetLastError();
  CloseHandle(started.hThread);
  return started.hProcess;
}

// The exit code of `process` once it has ended, waiting up to `timeout` milliseconds;
// STILL_ACTIVE while it runs.
inline DWORD ExitCodeOf(HANDLE process, DWORD timeout) {
  WaitForSingleObject(process, timeout);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process, &code);
  return code;
}

// The exit code, standard output and standard error; Outcome{} for done with nothing printed.
using Outcome = std::tuple<int, std::string, std::string>;

// Runs `command` through cmd in the working folder, that of quenda.com, with standard input from a
// file of `input` (nullopt: the NUL device) and the two outputs redirected to files, as a script
// would.
inline Outcome Cmd(const std::wstring& command, std::optional<std::string_view> input = "") {
  const std::filesystem::path temp = _wgetenv(L"TEMP");
  if (input)
    WriteBytes(temp / "cli-in", *input);
  const std::wstring from = input ? LR"("%TEMP%\cli-in")" : L"NUL";
  const int exitCode =
      _wsystem((command + L" <" + from + LR"( >"%TEMP%\cli-out" 2>"%TEMP%\cli-err")").c_str());
  return {exitCode, ReadBytes(temp / "cli-out"), ReadBytes(temp / "cli-err")};
}

}  // namespace quenda::e2e
