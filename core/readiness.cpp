// The readiness report: the reads, the rules on what stops the automatic logon, and its lines.
#include "readiness.h"

#include <algorithm>

#include "locations.h"
#include "paths.h"
#include "stored_settings.h"

namespace quenda {
namespace {

// What "AutoLogonCount" tells, as Windows reads a count: a number of decimal digits (a REG_DWORD
// reads as one). Any other text is no count at all.
enum class Count : std::uint8_t { None, Zero, AboveZero };

Count CountOf(std::u16string_view text) {
  if (text.empty() || !std::ranges::all_of(text, [](char16_t c) { return c >= u'0' && c <= u'9'; }))
    return Count::None;
  return text.find_first_not_of(u'0') == std::u16string_view::npos ? Count::Zero : Count::AboveZero;
}

// When a value read makes a finding.
enum class Rule : std::uint8_t {
  NotOn,            // not on by IsOn
  Empty,            // StoredText::Empty
  NoPassword,       // Empty, and no protected password either
  CountZero,        // a count of 0
  CountAboveZero,   // a count above 0
  NotEmpty,         // holds something
  Two,              // reads as "2"
  DiffersFrom64,    // exists, and differs from the same value in the 64-bit view's Winlogon key
  OnWithAutomatic,  // on, while the program's "Automatically" flag is on too
};

// The keys and values the checks read, by index, so that a check is four bytes.
enum Key : std::uint8_t { Winlogon, PoliciesSystem, PasswordLess, Winlogon32 };
constexpr std::u16string_view kKeys[] = {kWinlogonKey, kPoliciesSystemKey, kPasswordLessKey,
                                         kWinlogon32Key};
enum Name : std::uint8_t {
  AutoAdminLogon,
  UserName,
  Password,
  DomainName,
  AutoLogonCount,
  BannerCaption,
  BannerText,
  PasswordLessVersion,
  EnableLua,
};
constexpr std::u16string_view kNames[] = {
    kAutoAdminLogonValue,    kDefaultUserNameValue, kDefaultPasswordValue,
    kDefaultDomainNameValue, kAutoLogonCountValue,  kLegalNoticeCaptionValue,
    kLegalNoticeTextValue,   kPasswordLessValue,    kEnableLuaValue};

struct Check {
  FindingTopic topic;
  Rule rule;
  Key key;
  Name name;
};

// In the order of the findings: the blockers, then the warnings.
constexpr Check kChecks[] = {
    {FindingTopic::AutoLogonOff, Rule::NotOn, Winlogon, AutoAdminLogon},
    {FindingTopic::NoUserName, Rule::Empty, Winlogon, UserName},
    {FindingTopic::NoPassword, Rule::NoPassword, Winlogon, Password},
    {FindingTopic::CountZero, Rule::CountZero, Winlogon, AutoLogonCount},
    {FindingTopic::Banner, Rule::NotEmpty, PoliciesSystem, BannerCaption},
    {FindingTopic::Banner, Rule::NotEmpty, PoliciesSystem, BannerText},
    {FindingTopic::Banner, Rule::NotEmpty, Winlogon, BannerCaption},
    {FindingTopic::Banner, Rule::NotEmpty, Winlogon, BannerText},
    {FindingTopic::PasswordLessOnly, Rule::Two, PasswordLess, PasswordLessVersion},
    {FindingTopic::CountLeft, Rule::CountAboveZero, Winlogon, AutoLogonCount},
    {FindingTopic::Differs32Bit, Rule::DiffersFrom64, Winlogon32, AutoAdminLogon},
    {FindingTopic::Differs32Bit, Rule::DiffersFrom64, Winlogon32, UserName},
    {FindingTopic::Differs32Bit, Rule::DiffersFrom64, Winlogon32, Password},
    {FindingTopic::Differs32Bit, Rule::DiffersFrom64, Winlogon32, DomainName},
    {FindingTopic::AutomaticUnderUac, Rule::OnWithAutomatic, PoliciesSystem, EnableLua},
};
static_assert(std::size(kChecks) <= std::tuple_size_v<decltype(Readiness::found)>);

}  // namespace

std::u16string ValuePath(const Finding& finding) {
  return JoinPath(JoinPath(u"HKLM", finding.key), finding.name);
}

bool Readiness::Ready() const {
  return std::ranges::none_of(Findings(), &Finding::Blocker);
}

Readiness ReadReadiness(bool protectedPasswordStored) {
  Readiness report;
  const auto read = [&report](std::u16string_view key, std::u16string_view name) {
    StoredText value = ReadMachineValue(key, name);
    report.unreadable = report.unreadable || value.state == ValueState::Unreadable;
    return value;
  };
  for (const Check& check : kChecks) {
    const std::u16string_view key = kKeys[check.key];
    const std::u16string_view name = kNames[check.name];
    const StoredText value = read(key, name);
    bool found = false;
    switch (check.rule) {
      case Rule::NotOn:
        found = !IsOn(value.text);
        break;
      case Rule::Empty:
      case Rule::NoPassword:
        found = value.Empty() && !(check.rule == Rule::NoPassword && protectedPasswordStored);
        break;
      case Rule::CountZero:
      case Rule::CountAboveZero:
        found =
            CountOf(value.text) == (check.rule == Rule::CountZero ? Count::Zero : Count::AboveZero);
        break;
      case Rule::NotEmpty:
        found = !value.Empty();
        break;
      case Rule::Two:
        found = value.text == u"2";
        break;
      case Rule::DiffersFrom64:
        if (value.state != ValueState::Missing) {
          const StoredText read64 = read(kWinlogonKey, name);
          found = value.text != read64.text || value.state != read64.state;
        }
        break;
      case Rule::OnWithAutomatic:
        found = IsOn(value.text) && IsOn(read(kWinlogonKey, kQuendaValue).text);
        break;
    }
    if (found)
      report.found[report.count++] = Finding{check.topic, key, name};
  }
  return report;
}

std::u16string FindingLines(const Readiness& readiness, bool spaced) {
  std::u16string lines;
  for (const bool blockers : {true, false}) {
    for (const Finding& finding : readiness.Findings()) {
      if (finding.Blocker() != blockers)
        continue;
      if (spaced && !lines.empty())
        lines.append(u"\r\n");
      lines.append(u"[").append(FindingKindLabel(blockers)).append(u"] ");
      lines.append(ValuePath(finding)).append(u": ").append(FindingText(finding.topic));
      lines.append(u"\r\n");
    }
  }
  return lines;
}

}  // namespace quenda
