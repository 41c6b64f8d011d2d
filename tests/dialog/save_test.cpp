// The save step driven through the dialog's real handlers: the order of the writes with a failure
// injected at each one, the ways out that write nothing, and texts the code page cannot hold.
#include <functional>
#include <optional>
#include <vector>

#include "harness.h"
#include "save_step.h"

namespace quenda::testing {
namespace {

const std::u16string kLogon = u"HKLM\\software\\microsoft\\windows nt\\currentversion\\winlogon\\";
const std::u16string kRunEntry = u"HKLM\\software\\microsoft\\windows\\currentversion\\run\\quenda";

// One change an apply makes, in order: a text written (with the NUL Windows stores after it) or,
// nullopt, a value deleted.
struct Effect {
  std::u16string key;
  std::optional<std::string> text;
};

// `registry` after the first `count` of `effects`.
Registry After(Registry registry, const std::vector<Effect>& effects, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (effects[i].text)
      registry[effects[i].key] = *effects[i].text + '\0';
    else
      registry.erase(effects[i].key);
  }
  return registry;
}

// The save sequence, stated once: OK pressed over alice / pw / HOME, either with "bob" and a new
// password typed (automatic logon on) or with "Starting Auto Logon" cleared (off). A failure is
// injected at each write in turn (and at the opening of each key before the first one; turning
// off opens the Run key without creating it): the message shows in the dialog's language (English
// when turning on, Chinese when turning off), the process ends with 1, and exactly the writes
// before the failing one are in place.
TEST(SaveSequence, EachWriteInOrderAndNothingAfterAFailedOne) {
  const std::vector<Effect> on = {
      {kLogon + u"autoadminlogon", "1"},       {kLogon + u"defaultusername", "bob"},
      {kLogon + u"defaultpassword", "s3cret"}, {kRunEntry, "C:\\Tools\\Quenda.exe"},
      {kLogon + u"defaultdomainname", "HOME"}, {kLogon + u"quenda", "0"}};
  const std::vector<Effect> off = {
      {kLogon + u"autoadminlogon", "0"},           {kLogon + u"defaultusername", "alice"},
      {kLogon + u"defaultpassword", std::nullopt}, {kRunEntry, std::nullopt},
      {kLogon + u"defaultdomainname", "HOME"},     {kLogon + u"quenda", "0"}};
  for (const bool autoLogon : {true, false}) {
    const std::vector<Effect>& effects = autoLogon ? on : off;
    // Failure points: the two keys opened for writing first, then each write of the sequence.
    using Fault = std::tuple<memory::Operation, int, std::size_t>;  // and the writes before it
    std::vector<Fault> faults = {
        {memory::Operation::Create, 1, 0},
        {autoLogon ? memory::Operation::Create : memory::Operation::OpenForWriting,
         autoLogon ? 2 : 1, 0}};
    int sets = 0, deletes = 0;
    for (std::size_t i = 0; i < effects.size(); ++i) {
      faults.push_back(effects[i].text ? Fault{memory::Operation::Set, ++sets, i}
                                       : Fault{memory::Operation::Delete, ++deletes, i});
    }
    faults.push_back({memory::Operation::Set, 0, effects.size()});  // occurrence 0: no failure
    for (const auto& [operation, occurrence, effectsBefore] : faults) {
      SCOPED_TRACE(::testing::Message()
                   << autoLogon << " " << static_cast<int>(operation) << " #" << occurrence);
      const bool chinese = !autoLogon;
      Harness h(chinese ? "00000404" : nullptr);
      h.Put(kRunKey, u"Other", "other.exe");  // the Run key exists, as on every Windows
      h.StartWith(autoLogon ? "0" : "1", "0");
      const Registry expected = After(Contents(), effects, effectsBefore);
      h.services.Click(Check1);
      if (autoLogon) {
        for (const auto& [box, text] :
             {std::pair{Text3, u"bob"}, {Text4, u"s3cret"}, {Text6, u"s3cret"}})
          h.services.Type(box, text);
      }
      memory::FailCall(operation, occurrence, registry::kAccessDenied);
      const int exitCode = h.ExitCodeOf([&] { h.services.Click(Command1); });
      EXPECT_EQ(Contents(), expected);
      const bool failed = occurrence != 0;
      EXPECT_EQ(std::pair(exitCode, h.services.closed), std::pair(failed ? 1 : -1, !failed));
      if (failed) {
        const ShownMessage failure{std::u16string(FailureMessage()), MessageKind::Error};
        EXPECT_EQ(h.services.messages, std::vector<ShownMessage>{failure});
        EXPECT_EQ(FailureMessage().substr(0, 4), chinese ? u"無法操作" : u"Cann");
      }
    }
  }
}

// The ways the dialog ends or applies besides a plain OK, each from the stored alice / pw / HOME
// with the flags given: what the registry holds afterwards, as changes to what was stored.
TEST(Apply, CountdownOkInAutomaticModeAndCancelWriteExactlyThis) {
  using Changes = std::vector<Effect>;
  struct Case {
    const char* label;
    const char* autoAdminLogon;
    const char* flag;
    std::function<void(Harness&)> act;
    Changes changes;
    int expiries;
  };
  const auto countdown = [](Harness& h) { h.services.Advance(5000); };
  const auto okAtOnce = [](Harness& h) {
    h.services.Advance(1000);
    h.services.Click(Command1);
  };
  const auto cancel = [](Harness& h) {
    h.services.Advance(4000);
    h.services.Click(Command2);
  };
  const Changes automaticApply = {{kLogon + u"autoadminlogon", "1"},
                                  {kRunEntry, "C:\\Tools\\Quenda.exe"},
                                  {kLogon + u"quenda", "1"}};
  const Case cases[] = {
      {"the countdown applies, turning a stored 0 back on", "0", "1", countdown, automaticApply, 1},
      {"OK in automatic mode applies at once", "1", "1", okAtOnce, automaticApply, 0},
      {"cancel in automatic mode", "1", "1", cancel, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Harness h;
    h.StartWith(c.autoAdminLogon, c.flag);
    const Registry expected = After(Contents(), c.changes, c.changes.size());
    c.act(h);
    h.services.Advance(10000);  // no expiry after the end
    EXPECT_EQ(Contents(), expected);
    EXPECT_EQ(std::tuple(h.services.closed, h.services.expiries, h.services.messages.size()),
              std::tuple(true, c.expiries, 0u));
  }
}

// Credentials the code page cannot hold are never written as "?": stored ones that nobody edited,
// or whose edit was undone, stay as they are stored; a typed one is refused with a message before
// anything is written, and the dialog stays open in manual mode (even when the countdown's apply
// refused it) with the focus in the refused box. A Run entry for a folder the code page cannot
// name uses the folder's short name; where there is none, nothing is written and the process
// ends with a message that names the folder.
TEST(Unrepresentable, NeverWrittenAsReplacementCharacters) {
  const std::u16string cyrillic = u"C:\\Программы";
  const auto retype = [](std::u16string typed, bool countdown) {
    return [typed, countdown](Harness& h) {
      h.services.Click(Check2);
      h.services.Type(Text3, u"x");
      h.services.Type(Text3, typed);
      h.services.Click(Check2);
      if (countdown)
        h.services.Advance(5000);
      else
        h.services.Click(Command1);
    };
  };
  struct Case {
    const char* label;
    std::u16string shortName;  // empty: the volume keeps none
    std::function<void(Harness&)> act;
    std::optional<std::string> runEntry;  // nullopt: nothing written at all
    std::u16string message;
    int exitCode;
  };
  const Case cases[] = {
      {"stored, unedited", u"C:\\PROGRA~2", [](Harness& h) { h.services.Advance(5000); },
       "C:\\PROGRA~2\\Quenda.exe", u"", -1},
      {"edit undone", u"C:\\PROGRA~2", retype(u"????", true), "C:\\PROGRA~2\\Quenda.exe", u"", -1},
      {"typed, OK", u"C:\\PROGRA~2", retype(u"Пётр", false), std::nullopt,
       std::u16string(UnrepresentableMessage()), -1},
      {"typed, countdown", u"C:\\PROGRA~2", retype(u"Пётр", true), std::nullopt,
       std::u16string(UnrepresentableMessage()), -1},
      {"folder without a short name", u"", [](Harness& h) { h.services.Advance(5000); },
       std::nullopt, RunEntryMessage(cyrillic), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Harness h;
    memory::PutText(registry::kLocalMachine, kWinlogonKey, kDefaultUserNameValue, u"Иван");
    memory::PutText(registry::kLocalMachine, kWinlogonKey, kDefaultPasswordValue, u"пароль€1");
    h.Put(kWinlogonKey, kAutoAdminLogonValue, "1");
    h.Put(kWinlogonKey, kQuendaValue, "1");
    h.services.executableDirectory = cyrillic;
    if (!c.shortName.empty())
      h.services.shortPaths[cyrillic] = c.shortName;
    h.Start();
    const auto before = memory::Snapshot();
    EXPECT_EQ(h.ExitCodeOf([&] { c.act(h); }), c.exitCode);
    auto expected = before;
    // Everything else that the apply writes holds what was stored already.
    if (c.runEntry)
      expected[kRunEntry] = {registry::kTypeSz, *c.runEntry + '\0'};
    EXPECT_EQ(memory::Snapshot(), expected);
    EXPECT_EQ(h.services.messages.empty() ? u"" : h.services.messages[0].text, c.message);
    EXPECT_EQ(h.services.closed, c.runEntry.has_value());
    const bool refused = c.message == UnrepresentableMessage();
    if (refused) {
      h.ExpectMode(false);
      EXPECT_EQ(h.form.Focused(), Text3);
    }
    EXPECT_FALSE(h.services.CountdownRunning());
  }
}

// Values another program stored that the dialog cannot show (another type, longer than the
// routines read) show as empty boxes and stay exactly as stored, type included, through OK and
// through the countdown, unless their box is changed. A typed text too long to be read back is
// refused before anything is written, with the focus in its box.
TEST(Unshowable, StayAsStoredAndTooLongTextsAreRefused) {
  const memory::StoredValue multi{registry::kTypeMultiSz, std::string("a\0b\0\0", 5)};
  const memory::StoredValue binary{registry::kTypeBinary, "\x01\x02"};
  const memory::StoredValue longDomain{registry::kTypeSz, std::string(1500, 'd') + '\0'};
  for (const bool countdown : {false, true}) {
    SCOPED_TRACE(countdown ? "countdown" : "OK");
    Harness h;
    h.Put(kWinlogonKey, kAutoAdminLogonValue, "1");
    h.Put(kWinlogonKey, kQuendaValue, countdown ? "1" : "0");
    memory::PutValue(registry::kLocalMachine, kWinlogonKey, kDefaultUserNameValue, multi.type,
                     multi.data);
    memory::PutValue(registry::kLocalMachine, kWinlogonKey, kDefaultPasswordValue, binary.type,
                     binary.data);
    memory::PutValue(registry::kLocalMachine, kWinlogonKey, kDefaultDomainNameValue,
                     longDomain.type, longDomain.data);
    h.Start();
    EXPECT_EQ(h[Text3].text + h[Text4].text + h[Text2].text, u"");
    if (countdown)
      h.services.Advance(5000);
    else
      h.services.Click(Command1);
    EXPECT_TRUE(h.services.closed);
    EXPECT_EQ(memory::FindValue(registry::kLocalMachine, kWinlogonKey, kDefaultUserNameValue),
              multi);
    EXPECT_EQ(memory::FindValue(registry::kLocalMachine, kWinlogonKey, kDefaultPasswordValue),
              binary);
    EXPECT_EQ(memory::FindValue(registry::kLocalMachine, kWinlogonKey, kDefaultDomainNameValue),
              longDomain);
  }
  Harness h;
  h.StartWith("1", "0");
  const Registry before = Contents();
  h.services.Type(Text2, std::u16string(1024, u'd'));
  h.services.Click(Command1);
  EXPECT_EQ(Contents(), before);
  EXPECT_EQ(h.services.messages,
            (std::vector<ShownMessage>{{std::u16string(TooLongMessage()), MessageKind::Plain}}));
  EXPECT_EQ(h.form.Focused(), Text2);
  h.services.Type(Text2, std::u16string(1023, u'd'));
  h.services.Click(Command1);
  EXPECT_EQ(Contents()[kLogon + u"defaultdomainname"], std::string(1023, 'd') + '\0');
}

// Every registry call of an apply is made holding the machine-wide save lock: OK and the countdown
// take it once, before their first call, and give it back after their last. (OK turns the
// automatic logon off here, so that no findings are read after the apply.) While another apply
// keeps it past the wait, the message shows in the dialog's language, the process ends with 1 and
// nothing is written.
TEST(SaveLock, HeldFromTheFirstRegistryCallToTheLast) {
  using Span = HeadlessProcess::LockSpan;
  for (const bool countdown : {false, true}) {
    SCOPED_TRACE(countdown ? "countdown" : "OK");
    Harness h;
    h.StartWith("1", countdown ? "1" : "0");
    if (!countdown)
      h.services.Click(Check1);
    const int before = RegistryCallCount();
    if (countdown)
      h.services.Advance(5000);
    else
      h.services.Click(Command1);
    EXPECT_TRUE(h.services.closed);
    EXPECT_GT(RegistryCallCount(), before);
    const std::vector<Span> heldAcrossTheCalls = {{before, RegistryCallCount()}};
    EXPECT_EQ(h.services.saveLocks, heldAcrossTheCalls);
  }
  for (const char* locale : {"00000409", "00000404"}) {
    SCOPED_TRACE(locale);
    Harness h(locale);
    h.StartWith("0", "0");
    h.services.saveLockTimesOut = true;
    const Registry before = Contents();
    EXPECT_EQ(h.ExitCodeOf([&] { h.services.Click(Command1); }), 1);
    EXPECT_EQ(Contents(), before);
    const ShownMessage timedOut{std::u16string(SaveLockTimeoutMessage()), MessageKind::Error};
    EXPECT_EQ(h.services.messages, std::vector<ShownMessage>{timedOut});
    EXPECT_EQ(timedOut.text.substr(0, 2), IsChinese ? u"另一" : u"An");
    EXPECT_TRUE(h.services.saveLocks.empty());
  }
}

}  // namespace
}  // namespace quenda::testing
