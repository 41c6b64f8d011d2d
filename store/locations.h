// Every registry location Quenda reads or writes. Paths are relative to their root and are passed
// to the registry exactly as written here.
#pragma once

#include <string_view>

namespace quenda {

inline constexpr std::u16string_view kComputerNameKey =
    u"System\\CurrentControlSet\\control\\ComputerName\\ComputerName";
inline constexpr std::u16string_view kInternationalKey = u"Control Panel\\International";
inline constexpr std::u16string_view kWinlogonKey =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr std::u16string_view kRunKey = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Value names.
inline constexpr std::u16string_view kComputerNameValue = u"ComputerName";
inline constexpr std::u16string_view kLocaleValue = u"Locale";
inline constexpr std::u16string_view kAutoAdminLogonValue = u"AutoAdminLogon";
inline constexpr std::u16string_view kDefaultUserNameValue = u"DefaultUserName";
inline constexpr std::u16string_view kDefaultPasswordValue = u"DefaultPassword";
inline constexpr std::u16string_view kDefaultDomainNameValue = u"DefaultDomainName";
// The program's own "Automatically" flag (in the Winlogon key) and its Run entry (in the Run key).
inline constexpr std::u16string_view kQuendaValue = u"Quenda";

// What else decides whether Windows acts on the automatic logon; read only by the readiness
// report. The Winlogon key as a 32-bit program sees it: where the registry redirects its writes.
inline constexpr std::u16string_view kWinlogon32Key =
    u"SOFTWARE\\WOW6432Node\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr std::u16string_view kPoliciesSystemKey =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
inline constexpr std::u16string_view kPasswordLessKey =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\PasswordLess\\Device";
inline constexpr std::u16string_view kAutoLogonCountValue = u"AutoLogonCount";
inline constexpr std::u16string_view kLegalNoticeCaptionValue = u"LegalNoticeCaption";
inline constexpr std::u16string_view kLegalNoticeTextValue = u"LegalNoticeText";
inline constexpr std::u16string_view kPasswordLessValue = u"DevicePasswordLessBuildVersion";
inline constexpr std::u16string_view kEnableLuaValue = u"EnableLUA";

}  // namespace quenda
