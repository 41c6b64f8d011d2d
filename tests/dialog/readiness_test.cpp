// The readiness report over the substitute registry: each finding from what is stored, in both
// views, and the lines both programs show it in.
#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "harness.h"
#include "readiness.h"

namespace quenda::testing {
namespace {

using enum FindingTopic;

struct Stored {
  std::u16string_view key;
  std::u16string_view name;
  std::uint32_t type;
  std::string data;
};

Stored Text(std::u16string_view key, std::u16string_view name, std::string text) {
  return {key, name, registry::kTypeSz, text + '\0'};
}
Stored Number(std::u16string_view key, std::u16string_view name, unsigned char number) {
  return {key, name, registry::kTypeDword, std::string{static_cast<char>(number), 0, 0, 0}};
}

// The findings as (topic, key, name).
using Found = std::vector<std::tuple<FindingTopic, std::u16string_view, std::u16string_view>>;

Found FoundIn(const Readiness& report) {
  Found found;
  for (const Finding& f : report.Findings())
    found.emplace_back(f.topic, f.key, f.name);
  return found;
}

// A ready machine (AutoAdminLogon "1", a user, a password) with the values of each case stored
// over it (type 0: deleted). Value types are read by meaning: a number 1 is on, and a 32-bit copy
// that reads as the 64-bit value does is no finding.
TEST(Readiness, EachFindingFromWhatIsStoredInEitherTypeAndView) {
  const std::u16string_view W = kWinlogonKey, P = kPoliciesSystemKey, W32 = kWinlogon32Key;
  struct Case {
    const char* label;
    std::vector<Stored> stored;
    bool protectedPassword;
    Found found;
  };
  const Case cases[] = {
      {"ready", {}, false, {}},
      {"AutoAdminLogon 0",
       {Text(W, kAutoAdminLogonValue, "0")},
       false,
       {{AutoLogonOff, W, kAutoAdminLogonValue}}},
      {"AutoAdminLogon the number 1", {Number(W, kAutoAdminLogonValue, 1)}, false, {}},
      {"AutoAdminLogon missing, no user, empty password",
       {{W, kAutoAdminLogonValue, 0, ""},
        {W, kDefaultUserNameValue, 0, ""},
        Text(W, kDefaultPasswordValue, "")},
       false,
       {{AutoLogonOff, W, kAutoAdminLogonValue},
        {NoUserName, W, kDefaultUserNameValue},
        {NoPassword, W, kDefaultPasswordValue}}},
      {"empty user name",
       {Text(W, kDefaultUserNameValue, "")},
       false,
       {{NoUserName, W, kDefaultUserNameValue}}},
      {"no registry password, a protected one", {{W, kDefaultPasswordValue, 0, ""}}, true, {}},
      {"a binary password still is one", {{W, kDefaultPasswordValue, 3, "x"}}, false, {}},
      {"AutoLogonCount the number 0",
       {Number(W, kAutoLogonCountValue, 0)},
       false,
       {{CountZero, W, kAutoLogonCountValue}}},
      {"AutoLogonCount the text 0",
       {Text(W, kAutoLogonCountValue, "0")},
       false,
       {{CountZero, W, kAutoLogonCountValue}}},
      {"AutoLogonCount the number 3",
       {Number(W, kAutoLogonCountValue, 3)},
       false,
       {{CountLeft, W, kAutoLogonCountValue}}},
      {"AutoLogonCount the text 12",
       {Text(W, kAutoLogonCountValue, "12")},
       false,
       {{CountLeft, W, kAutoLogonCountValue}}},
      {"AutoLogonCount no number", {Text(W, kAutoLogonCountValue, "x1")}, false, {}},
      {"banners in both keys",
       {Text(P, kLegalNoticeCaptionValue, "Notice"), Text(P, kLegalNoticeTextValue, ""),
        Text(W, kLegalNoticeCaptionValue, ""), Text(W, kLegalNoticeTextValue, "Read me")},
       false,
       {{Banner, P, kLegalNoticeCaptionValue}, {Banner, W, kLegalNoticeTextValue}}},
      {"empty banners",
       {Text(P, kLegalNoticeTextValue, ""), Text(W, kLegalNoticeCaptionValue, "")},
       false,
       {}},
      {"Windows Hello only",
       {Number(kPasswordLessKey, kPasswordLessValue, 2)},
       false,
       {{PasswordLessOnly, kPasswordLessKey, kPasswordLessValue}}},
      {"Windows Hello not required", {Number(kPasswordLessKey, kPasswordLessValue, 0)}, false, {}},
      {"a 32-bit copy that differs, one that is the same, one the 64-bit view lacks",
       {Text(W32, kAutoAdminLogonValue, "0"), Text(W32, kDefaultUserNameValue, "kiosk"),
        Text(W32, kDefaultDomainNameValue, "CORP")},
       false,
       {{Differs32Bit, W32, kAutoAdminLogonValue}, {Differs32Bit, W32, kDefaultDomainNameValue}}},
      {"a 32-bit copy that reads the same in another type",
       {Number(W, kAutoAdminLogonValue, 1), Text(W32, kAutoAdminLogonValue, "1")},
       false,
       {}},
      {"Automatically under User Account Control",
       {Text(W, kQuendaValue, "1"), Number(P, kEnableLuaValue, 1)},
       false,
       {{AutomaticUnderUac, P, kEnableLuaValue}}},
      {"Automatically without User Account Control",
       {Text(W, kQuendaValue, "1"), Number(P, kEnableLuaValue, 0)},
       false,
       {}},
      {"User Account Control, not Automatically",
       {Text(W, kQuendaValue, "0"), Number(P, kEnableLuaValue, 1)},
       false,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Harness h;
    h.Put(W, kAutoAdminLogonValue, "1");
    h.Put(W, kDefaultUserNameValue, "kiosk");
    h.Put(W, kDefaultPasswordValue, "pw");
    for (const Stored& s : c.stored) {
      if (s.type == 0)
        DeleteValue(registry::kLocalMachine, s.key, s.name);
      else
        memory::PutValue(registry::kLocalMachine, s.key, s.name, s.type, s.data);
    }
    const Readiness report = ReadReadiness(c.protectedPassword);
    EXPECT_EQ(FoundIn(report), c.found);
    const bool blocked =
        std::ranges::any_of(c.found, [](const auto& f) { return std::get<0>(f) < CountLeft; });
    EXPECT_EQ(std::pair(report.Ready(), report.unreadable), std::pair(!blocked, false));
  }
  // A value that may not be read makes the whole report unreliable.
  Harness h;
  memory::FailCall(memory::Operation::Open, 9, registry::kAccessDenied);
  EXPECT_TRUE(ReadReadiness(false).unreadable);
}

}  // namespace
}  // namespace quenda::testing
