// Quenda's settings in the real registry, as a test program under Wine reads and prepares them
// through the wide API, and a Winlogon key whose writes are refused.
#pragma once

#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
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

// A password as StoredSettings shows it: a failing comparison must not print the text itself.
inline std::wstring Hidden(std::wstring_view password) {
  return L"hash " + std::to_wstring(std::hash<std::wstring_view>{}(password));
}

// The values Quenda writes, as stored; the password hidden.
inline Settings StoredSettings() {
  Settings settings;
  for (std::size_t i = 0; i < kWrittenSettings; ++i) {
    const auto& [label, root, key, name] = kSettings[i];
    wchar_t text[1024];
    DWORD size = sizeof(text);
    if (RegGetValueW(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size) == ERROR_SUCCESS)
      settings[label] = std::wstring_view(label) == L"DefaultPassword" ? Hidden(text) : text;
  }
  return settings;
}

// Makes the system a fresh one holding just `settings` (a password in clear): every value Quenda
// writes deleted unless named, the machine named TEST-PC and the locale English unless named. The
// prefix is a throwaway one, and every test that starts Quenda prepares it so first.
inline void StoreSettings(Settings settings) {
  settings.merge(Settings{{L"ComputerName", L"TEST-PC"}, {L"Locale", L"00000409"}});
  for (const auto& [label, root, key, name] : kSettings) {
    RegDeleteKeyValueW(root, key, name);
    if (settings.contains(label))  // stored without a NUL, as Quenda stores text
      RegSetKeyValueW(root, key, name, REG_SZ, settings[label].c_str(),
                      static_cast<DWORD>(settings[label].size() * sizeof(wchar_t)));
  }
}

// Refuses everyone the right to set a value in the Winlogon key or to add one below it while it
// lives, and in the Run key too when `runKeyToo` (as for a standard user, who may write neither),
// then gives everyone full access again: the wineserver of the test's own prefix enforces a key's
// access list while it runs.
class WinlogonWritesRefused {
 public:
  // Without the refusal the write would succeed and the test would show nothing.
  explicit WinlogonWritesRefused(bool runKeyToo = false) : runKeyToo_(runKeyToo) {
    EXPECT_TRUE(SetAccess(kWinlogon, L"D:(D;;0x10006;;;WD)(A;;KA;;;WD)"));
    EXPECT_TRUE(!runKeyToo || SetAccess(kRun, L"D:(D;;0x10006;;;WD)(A;;KA;;;WD)"));
  }
  ~WinlogonWritesRefused() {
    SetAccess(kWinlogon, L"D:(A;;KA;;;WD)");
    if (runKeyToo_)
      SetAccess(kRun, L"D:(A;;KA;;;WD)");
  }

 private:
  // 0x10006: set value, create subkey, delete; KA: all access.
  static bool SetAccess(const wchar_t* path, const wchar_t* accessList) {
    HKEY key = nullptr;
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, WRITE_DAC, &key);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(accessList, SDDL_REVISION_1, &descriptor,
                                                         nullptr);
    const bool set = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    RegCloseKey(key);
    return set;
  }

  bool runKeyToo_;
};

}  // namespace quenda::e2e
