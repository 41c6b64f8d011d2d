// Quenda's settings in the real registry, as a test program under Wine reads and prepares them
// through the wide API, and a Winlogon key whose writes are refused.
#pragma once

#include <windows.h>
#include <sddl.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>

namespace quenda::e2e {

using Settings = std::map<std::wstring, std::wstring>;

inline const wchar_t kWinlogon[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// Each setting by its label and where it lives: the six values Quenda writes (its Winlogon values
// and its Run entry), then the machine's name and the user's locale, which it only reads.
inline const std::tuple<const wchar_t*, HKEY, const wchar_t*, const wchar_t*> kSettings[] = {
    {L"AutoAdminLogon", HKEY_LOCAL_MACHINE, kWinlogon, L"AutoAdminLogon"},
    {L"DefaultUserName", HKEY_LOCAL_MACHINE, kWinlogon, L"DefaultUserName"},
    {L"DefaultPassword", HKEY_LOCAL_MACHINE, kWinlogon, L"DefaultPassword"},
    {L"DefaultDomainName", HKEY_LOCAL_MACHINE, kWinlogon, L"DefaultDomainName"},
    {L"Quenda", HKEY_LOCAL_MACHINE, kWinlogon, L"Quenda"},
    {L"Run", HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"Quenda"},
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

// Makes the values Quenda writes exactly those named in `settings` (a password in clear), every
// other deleted; writes the machine's name and the locale when they are named.
inline void StoreSettings(const Settings& settings) {
  for (std::size_t i = 0; i < std::size(kSettings); ++i) {
    const auto& [label, root, key, name] = kSettings[i];
    if (i < kWrittenSettings)
      RegDeleteKeyValueW(root, key, name);
    if (const auto found = settings.find(label); found != settings.end()) {
      const std::wstring& text = found->second;  // stored without a NUL, as Quenda stores text
      RegSetKeyValueW(root, key, name, REG_SZ, text.data(),
                      static_cast<DWORD>(text.size() * sizeof(wchar_t)));
    }
  }
}

// Refuses everyone the right to set a value in the Winlogon key or to add one below it while it
// lives: the wineserver of the test's own prefix enforces a key's access list while it runs.
class WinlogonWritesRefused {
 public:
  WinlogonWritesRefused() {
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, kWinlogon, 0, READ_CONTROL | WRITE_DAC, &key_);
    DWORD size = sizeof(before_);
    RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, before_, &size);
    PSECURITY_DESCRIPTOR refusing = nullptr;  // 0x10006: set value, create subkey, delete
    ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;0x10006;;;WD)(A;;KA;;;WD)",
                                                         SDDL_REVISION_1, &refusing, nullptr);
    applied_ = RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, refusing) == ERROR_SUCCESS;
    LocalFree(refusing);
  }
  ~WinlogonWritesRefused() {
    RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, before_);
    RegCloseKey(key_);
  }
  WinlogonWritesRefused(const WinlogonWritesRefused&) = delete;
  WinlogonWritesRefused& operator=(const WinlogonWritesRefused&) = delete;
  bool Applied() const { return applied_; }

 private:
  HKEY key_ = nullptr;
  BYTE before_[4096] = {};
  bool applied_ = false;
};

}  // namespace quenda::e2e
