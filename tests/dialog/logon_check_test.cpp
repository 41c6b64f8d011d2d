// What the dialog does around a save that turns the automatic logon on: the credentials tried
// before a manual OK (never before the countdown's apply), and the findings shown after it.
#include <string>
#include <vector>

#include "harness.h"
#include "readiness.h"

namespace quenda::testing {
namespace {

// Manual mode over alice / pw / HOME with the automatic logon off; OK turns it on for "bob" with
// the password "s3cret" and no domain. Each answer Windows may give: a refusing one asks (in the
// dialog's language), and No writes nothing and leaves the dialog open in manual mode with the
// password selected, also after OK in the automatic mode (over alice / pw / HOME); Yes saves as OK
// always did. Accepted and any other answer save without asking.
TEST(LogonCheck, ARefusingAnswerAsksAndNoWritesNothing) {
  struct Case {
    LogonCheck answer;
    std::u16string_view reason;  // a piece of the reason the question must name; empty: not asked
    bool automatic = false;      // OK pressed in the automatic mode instead
  };
  const Case cases[] = {{LogonCheck::WrongCredentials, u": the user name or password is wrong."},
                        {LogonCheck::AccountDisabled, u"account is disabled"},
                        {LogonCheck::AccountLockedOut, u": 帳戶已被鎖定.\r\n仍要儲存嗎?"},
                        {LogonCheck::AccountExpired, u"account has expired"},
                        {LogonCheck::PasswordExpired, u"password has expired"},
                        {LogonCheck::PasswordMustChange, u"must be changed"},
                        {LogonCheck::LogonTypeNotGranted, u"may not log on"},
                        {LogonCheck::WrongCredentials, u"password is wrong", true},
                        {LogonCheck::Accepted, u""},
                        {LogonCheck::OtherFailure, u""}};
  for (const Case& c : cases) {
    for (const bool yes : {false, true}) {
      SCOPED_TRACE(::testing::Message() << static_cast<int>(c.answer) << c.automatic << yes);
      const bool chinese = c.answer == LogonCheck::AccountLockedOut;
      Harness h(chinese ? "00000404" : nullptr);
      h.StartWith(c.automatic ? "1" : "0", c.automatic ? "1" : "0");
      h.services.logonAnswer = c.answer;
      h.services.answerYes = yes;
      if (!c.automatic) {
        h.services.Click(Check1);
        h.Type({{Text2, u""}, {Text3, u"bob"}, {Text4, u"s3cret"}, {Text6, u"s3cret"}});
      }
      const Registry before = Contents();
      h.services.Click(Command1);
      const auto tried = c.automatic ? u"HOME\\alice:pw" : u".\\bob:s3cret";
      EXPECT_EQ(h.services.logonsTried, std::vector<std::u16string>{tried});
      const bool asked = !c.reason.empty();
      ASSERT_EQ(h.services.questions.size(), asked ? 1u : 0u);
      if (asked) {
        const std::u16string& question = h.services.questions[0];
        EXPECT_NE(question.find(c.reason), std::u16string::npos) << question.size();
        EXPECT_TRUE(question.ends_with(chinese ? u"仍要儲存嗎?" : u"\r\nSave anyway?"));
      }
      EXPECT_EQ(h.services.closed, yes || !asked);
      if (!h.services.closed) {
        EXPECT_EQ(Contents(), before);
        const int selected = static_cast<int>(h[Text4].text.size());
        EXPECT_EQ(std::tuple(h.form.Focused(), h[Text4].selLength), std::tuple(Text4, selected));
        h.ExpectMode(false);
      } else if (!c.automatic) {
        EXPECT_EQ(Contents().at(kLogon + u"defaultusername"), std::string("bob") + '\0');
      }
    }
  }
}

// Around the save: the credentials are tried only before a manual OK that leaves the automatic
// logon on; never for the countdown's apply (a wrong stored password tried at every logon could
// lock the account out), for OK turning it off, for no user name, or for a stored user name the
// code page cannot show (what Windows would use is not the text shown). After a manual OK that
// leaves it on, one warning box lists what stops it, in the dialog's language, after the settings
// are written and before the dialog closes; nothing when nothing stops it, when OK turns it off,
// or after the countdown's apply. Start-up reads the seven values it always read, and nothing for
// the report.
TEST(AroundTheSave, CredentialsTriedAndFindingsShownOnlyForAManualOkLeavingItOn) {
  struct Case {
    const char* label;
    const char* locale;
    const char* autoLogonCount;     // nullptr: none stored
    const char* flag;               // the stored "Automatically" flag
    std::u16string_view user;       // as stored
    std::vector<ControlId> clicks;  // none: the countdown runs out
    bool tried;
    bool shown;
  };
  const Case cases[] = {
      {"manual OK", nullptr, "0", "0", u"alice", {Command1}, true, true},
      {"manual OK in Chinese", "00000404", "0", "0", u"alice", {Command1}, true, true},
      {"nothing to say", nullptr, nullptr, "0", u"alice", {Command1}, true, false},
      {"turned off", nullptr, "0", "0", u"alice", {Check1, Command1}, false, false},
      {"countdown", nullptr, "0", "1", u"alice", {}, false, false},
      {"no user name", nullptr, "0", "0", u"", {Command1}, false, true},
      {"a user name shown with '?'", nullptr, "0", "0", u"Иван", {Command1}, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Harness h(c.locale);
    if (c.autoLogonCount)
      h.Put(kWinlogonKey, kAutoLogonCountValue, c.autoLogonCount);
    if (c.locale)
      h.Put(kPoliciesSystemKey, kLegalNoticeCaptionValue, "Notice");
    h.services.logonAnswer = LogonCheck::WrongCredentials;
    h.services.answerYes = true;
    h.StartWith("1", c.flag, c.user);
    EXPECT_EQ(memory::CallCount(memory::Operation::Query), 7);
    std::u16string lines;
    h.services.onMessage = [&](const ShownMessage&) {
      EXPECT_FALSE(h.services.closed);
      EXPECT_EQ(Contents().at(kRunEntry), std::string("C:\\Tools\\Quenda.exe") + '\0');
      lines = FindingLines(ReadReadiness(false), true);
    };
    for (ControlId id : c.clicks)
      h.services.Click(id);
    h.services.Advance(5000);
    EXPECT_EQ(std::pair(h.services.logonsTried.size(), h.services.questions.size()),
              std::pair(std::size_t{c.tried}, std::size_t{c.tried}));
    const std::vector<ShownMessage> expected = {{lines, MessageKind::Warning}};
    EXPECT_EQ(h.services.messages, c.shown ? expected : std::vector<ShownMessage>{});
    EXPECT_TRUE(h.services.closed);
    // The lines as shown: each finding's kind, the value's full path and the text, in the chosen
    // language, an empty line between two findings.
    if (c.locale) {
      EXPECT_EQ(lines,
                u"[阻礙] HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\"
                u"AutoLogonCount: AutoLogonCount 為 0: Windows 會在下次開機時關閉自動登入.\r\n\r\n"
                u"[阻礙] HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\"
                u"LegalNoticeCaption: 已設定登入公告: Windows 會等到有人按下確定.\r\n");
    }
  }
}

}  // namespace
}  // namespace quenda::testing
