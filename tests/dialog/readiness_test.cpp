// The readiness report over the substitute registry: each finding from what is stored, by the
// value's meaning whatever its type, in both registry views; and what the dialog does around a
// save that leaves the automatic logon on: the credentials tried before it, the findings after.
#include <string>
#include <vector>

#include "harness.h"
#include "readiness.h"

namespace quenda::testing {
namespace {

using Lines = std::vector<std::u16string>;

// A value as other programs store it: a text with its terminating NUL, or a number.
struct Stored {
  std::u16string_view key;
  std::u16string_view name;
  std::string text;
  std::uint32_t type = registry::kTypeSz;
};

// A ready machine (AutoAdminLogon "1", kiosk / pw / HOME) with a case's values stored over it.
// The finding expected is on the first value stored; none is expected for the edge just short of
// a rule. A number 1 is on, and a 32-bit copy that reads as the 64-bit value does is no finding;
// one that reads the same text from another type is.
TEST(Readiness, EachFindingFromWhatIsStoredInEitherTypeAndView) {
  const std::u16string_view W = kWinlogonKey, P = kPoliciesSystemKey, W32 = kWinlogon32Key;
  using enum FindingTopic;
  struct Case {
    std::vector<Stored> stored;
    std::optional<FindingTopic> found = std::nullopt;  // on the first value stored
    bool protectedPassword = false;
  };
  const auto dword = registry::kTypeDword, expandSz = registry::kTypeExpandSz;
  const Case cases[] = {
      {{{W, kAutoAdminLogonValue, "01"}}, AutoLogonOff},
      {{{W, kDefaultUserNameValue, ""}}, NoUserName},
      {{{W, kDefaultPasswordValue, ""}}, NoPassword},
      {{{W, kDefaultPasswordValue, ""}}, std::nullopt, true},
      {{{W, kAutoLogonCountValue, std::string(4, '\0'), dword}}, CountZero},
      {{{W, kAutoLogonCountValue, "12"}}, CountLeft},
      {{{W, kAutoLogonCountValue, "x1"}}, std::nullopt},
      {{{P, kLegalNoticeCaptionValue, "Notice"}, {W, kLegalNoticeTextValue, ""}}, Banner},
      {{{kPasswordLessKey, kPasswordLessValue, "2"}}, PasswordLessOnly},
      {{{kPasswordLessKey, kPasswordLessValue, "1"}}, std::nullopt},
      {{{W32, kDefaultDomainNameValue, "CORP"}}, Differs32Bit},
      {{{W32, kDefaultDomainNameValue, ""}, {W, kDefaultDomainNameValue, "HOME", expandSz}},
       Differs32Bit},
      {{{W32, kAutoAdminLogonValue, {"\1\0\0\0", 4}, dword},
        {W32, kDefaultUserNameValue, "kiosk"}}},
      {{{P, kEnableLuaValue, "1"}, {W, kQuendaValue, "1"}}, AutomaticUnderUac},
      {{{P, kEnableLuaValue, "1"}, {W, kQuendaValue, "0"}}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    Harness h;
    h.Store("1", "0", u"kiosk");
    for (const Stored& s : c.stored)
      h.Put(s.key, s.name, s.text, s.type);
    const Readiness report = ReadReadiness(c.protectedPassword);
    ASSERT_EQ(report.Findings().size(), c.found ? 1u : 0u);
    if (c.found) {
      const Finding& f = report.Findings()[0];
      EXPECT_EQ(std::tuple(f.topic, f.key, f.name),
                std::tuple(*c.found, c.stored[0].key, c.stored[0].name));
    }
    EXPECT_EQ(std::pair(report.Ready(), report.unreadable),
              std::pair(!c.found || *c.found >= CountLeft, false));
  }
  // A value that may not be read makes the whole report unreliable.
  Harness h;
  memory::FailCall(memory::Operation::Open, 9, registry::kAccessDenied);
  EXPECT_TRUE(ReadReadiness(false).unreadable);
}

// Around a save: the credentials are tried only before a manual OK that leaves the automatic logon
// on; never for the countdown's apply (a wrong stored password tried at every logon could lock the
// account out), for OK turning it off, for no user name, or for a stored one the code page cannot
// show (Windows would use another). A refusing answer asks why: No writes nothing and leaves the
// dialog in manual mode with the password selected, also after OK in the automatic mode; Yes saves.
// After a manual save that leaves it on, one warning box lists what stops it. Start-up reads
// nothing for the report.
TEST(AroundTheSave, CredentialsTriedBeforeAndFindingsShownAfterAManualOk) {
  using enum LogonCheck;
  struct Case {
    const char* flag;               // the stored "Automatically" flag
    std::vector<ControlId> clicks;  // then the countdown runs out
    std::u16string_view user;       // as stored
    LogonCheck answer;
    std::u16string_view tried;   // "domain\user:password"; empty: not tried
    std::u16string_view reason;  // a piece of the question; empty: not asked
  };
  const Case cases[] = {
      {"0", {Command1}, u"alice", WrongCredentials, u".\\alice:pw", u"password is wrong.\r\nSave"},
      {"1", {Command1}, u"alice", WrongCredentials, u"HOME\\alice:pw", u"password is wrong"},
      {"0", {Command1}, u"alice", OtherFailure, u".\\alice:pw", u""},
      {"0", {Check1, Command1}, u"alice", WrongCredentials, u"", u""},
      {"1", {}, u"alice", WrongCredentials, u"", u""},
      {"0", {Command1}, u"", WrongCredentials, u"", u""},
      {"0", {Command1}, u"Иван", WrongCredentials, u"", u""},
  };
  for (const Case& c : cases) {
    for (const bool yes : {false, true}) {
      SCOPED_TRACE(::testing::Message() << (&c - cases) << " " << yes);
      Harness h;
      h.Put(kWinlogonKey, kAutoLogonCountValue, "0");
      h.StartWith("1", c.flag, c.user);
      EXPECT_EQ(memory::CallCount(memory::Operation::Query), 7);
      h.services.logonAnswer = c.answer;
      h.services.answerYes = yes;
      h.services.Type(Text2, u"");  // refused in the automatic mode
      const Registry before = memory::Snapshot();
      for (ControlId id : c.clicks)
        h.services.Click(id);
      h.services.Advance(5000);
      EXPECT_EQ(h.services.logonsTried, c.tried.empty() ? Lines{} : Lines{std::u16string(c.tried)});
      ASSERT_EQ(h.services.questions.size(), c.reason.empty() ? 0u : 1u);
      EXPECT_TRUE(c.reason.empty() || h.services.questions[0].find(c.reason) != c.reason.npos);
      const bool saved = yes || c.reason.empty();
      EXPECT_EQ(h.services.closed, saved);
      if (!saved) {
        EXPECT_EQ(memory::Snapshot(), before);
        EXPECT_EQ(std::tuple(h.form.Focused(), h[Text4].selLength), std::tuple(Text4, 2));
        h.ExpectMode(false);
      }
      const ShownMessage findings{FindingLines(ReadReadiness(false), true), MessageKind::Warning};
      const bool shown = saved && c.clicks == std::vector{Command1};
      EXPECT_EQ(h.services.messages, shown ? std::vector{findings} : std::vector<ShownMessage>{});
    }
  }
}

}  // namespace
}  // namespace quenda::testing
