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
    wchar_t text[4096];  // more than the routines read, so that longer values show too
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

// Access lists: everyone refused setting values, adding keys and deleting (0x10006), or reading
// values (0x1); everyone allowed everything else (KA).
inline constexpr wchar_t kWritesRefused[] = L"D:(D;;0x10006;;;WD)(A;;KA;;;WD)";
inline constexpr wchar_t kReadsRefused[] = L"D:(D;;0x1;;;WD)(A;;KA;;;WD)";

// Gives a key of HKLM (created when missing) the access list `accessList` while it lives, then
// gives everyone full access again: the wineserver of the test's own prefix enforces a key's
// access list while it runs.
class KeyAccessRefused {
 public:
  // Without the refusal the access would succeed and the test would show nothing.
  KeyAccessRefused(const wchar_t* subKey, const wchar_t* accessList) : subKey_(subKey) {
    EXPECT_TRUE(SetAccess(accessList));
  }
  ~KeyAccessRefused() { SetAccess(L"D:(A;;KA;;;WD)"); }
  KeyAccessRefused(const KeyAccessRefused&) = delete;
  KeyAccessRefused& operator=(const KeyAccessRefused&) = delete;

 private:
  bool SetAccess(const wchar_t* accessList) const {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, subKey_, 0, nullptr, 0, WRITE_DAC, nullptr, &key, nullptr);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(accessList, SDDL_REVISION_1, &descriptor,
                                                         nullptr);
    const bool set = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    RegCloseKey(key);
    return set;
  }

  const wchar_t* subKey_;
};

struct WinlogonWritesRefused : KeyAccessRefused {
  WinlogonWritesRefused() : KeyAccessRefused(kWinlogon, kWritesRefused) {}
};

// Neither the Winlogon key nor the Run key may be written, as for a standard user.
struct StandardUserWritesRefused {
  WinlogonWritesRefused winlogon;
  KeyAccessRefused run{kRun, kWritesRefused};
};

struct WinlogonReadsRefused : KeyAccessRefused {
  WinlogonReadsRefused() : KeyAccessRefused(kWinlogon, kReadsRefused) {}
};

}  // namespace quenda::e2e
