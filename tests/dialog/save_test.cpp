// The save step driven through the dialog's real handlers: the order of the writes with a failure
// injected at each one, the ways out that write nothing, and texts the code page cannot hold.
#include <functional>
#include <optional>
#include <vector>

#include "harness.h"
#include "save_step.h"

namespace quenda::testing {
namespace {

// Changes an apply makes, in order: a text written (with the NUL Windows stores after it) or,
// nullopt, a value deleted.
using Changes = std::vector<std::pair<std::u16string, std::optional<std::string>>>;

// `registry` after the first `count` of `changes`.
Registry After(Registry registry, const Changes& changes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (changes[i].second)
      registry[changes[i].first] = *changes[i].second + '\0';
    else
      registry.erase(changes[i].first);
  }
  return registry;
}

// The save sequence, stated once: OK pressed over alice / pw / HOME, either with "bob" and a new
// password typed (automatic logon on, in English) or with "Starting Auto Logon" cleared (off, in
// Chinese). A failure is injected at the save lock, at the opening of each key before the first
// write (turning off opens the Run key without creating it) and at each write in turn: the message
// shows in the dialog's language, the process ends with 1, and exactly the writes before the
// failing one are in place. Without a failure the dialog closes with everything written.
TEST(SaveSequence, EachWriteInOrderAndNothingAfterAFailedOne) {
  const Changes on = {{kLogon + u"autoadminlogon", "1"},       {kLogon + u"defaultusername", "bob"},
                      {kLogon + u"defaultpassword", "s3cret"}, {kRunEntry, "C:\\Tools\\Quenda.exe"},
                      {kLogon + u"defaultdomainname", "HOME"}, {kLogon + u"quenda", "0"}};
  const Changes off = {
      {kLogon + u"autoadminlogon", "0"},       {kLogon + u"defaultusername", "alice"},
      {kLogon + u"defaultpassword", {}},       {kRunEntry, {}},
      {kLogon + u"defaultdomainname", "HOME"}, {kLogon + u"quenda", "0"}};
  using enum memory::Operation;
  for (const bool autoLogon : {true, false}) {
    const Changes& changes = autoLogon ? on : off;
    // Where it fails (occurrence 0: nowhere; -1: the save lock) and the writes in place by then.
    std::vector<std::tuple<memory::Operation, int, std::size_t>> faults = {
        {Set, 0, changes.size()},
        {Set, -1, 0},
        {Create, 1, 0},
        {autoLogon ? Create : OpenForWriting, autoLogon ? 2 : 1, 0}};
    int sets = 0, deletes = 0;
    for (std::size_t i = 0; i < changes.size(); ++i)
      faults.emplace_back(changes[i].second ? Set : Delete, changes[i].second ? ++sets : ++deletes,
                          i);
    for (const auto& [operation, occurrence, changesBefore] : faults) {
      SCOPED_TRACE(::testing::Message()
                   << autoLogon << " " << static_cast<int>(operation) << " #" << occurrence);
      Harness h(autoLogon ? nullptr : "00000404");
      h.Put(kRunKey, u"Other", "other.exe");  // the Run key exists, as on every Windows
      h.StartWith(autoLogon ? "0" : "1", "0");
      const Registry expected = After(Contents(), changes, changesBefore);
      h.services.Click(Check1);
      if (autoLogon)
        h.Type({{Text3, u"bob"}, {Text4, u"s3cret"}, {Text6, u"s3cret"}});
      h.services.saveLockTimesOut = occurrence < 0;
      memory::FailCall(operation, std::max(occurrence, 0), registry::kAccessDenied);
      const int exitCode = h.ExitCodeOf([&] { h.services.Click(Command1); });
      EXPECT_EQ(Contents(), expected);
      const bool failed = occurrence != 0;
      EXPECT_EQ(std::pair(exitCode, h.services.closed), std::pair(failed ? 1 : -1, !failed));
      EXPECT_EQ(IsChinese, !autoLogon);
      if (failed) {
        const auto text = occurrence < 0 ? SaveLockTimeoutMessage() : FailureMessage();
        const ShownMessage failure{std::u16string(text), MessageKind::Error};
        EXPECT_EQ(h.services.messages, std::vector<ShownMessage>{failure});
      }
      EXPECT_TRUE(occurrence >= 0 || h.services.saveLocks.empty());
    }
  }
}

// The other ways the dialog ends or applies (the countdown, OK in the automatic mode, Cancel, OK
// turning the automatic logon off), each from the stored alice / pw / HOME: what the registry
// holds afterwards, as changes to what was stored, and no timer expiry after the end. An apply
// holds the machine-wide save lock once, from its first registry call to its last; Cancel never
// takes it. (Not checked for OK leaving the automatic logon on: the findings are read after it.)
TEST(Apply, CountdownOkAndCancelWriteExactlyThisUnderTheSaveLock) {
  const Changes automatic = {{kLogon + u"autoadminlogon", "1"},
                             {kRunEntry, "C:\\Tools\\Quenda.exe"},
                             {kLogon + u"quenda", "1"}};
  const Changes turnedOff = {{kLogon + u"autoadminlogon", "0"}, {kLogon + u"defaultpassword", {}}};
  struct Case {
    const char* label;
    const char* autoAdminLogon;
    const char* flag;
    int wait;  // milliseconds before the clicks
    std::vector<ControlId> clicks;
    Changes changes;
    int expiries;
    bool lockChecked;
  };
  const Case cases[] = {
      {"the countdown, turning a stored 0 back on", "0", "1", 5000, {}, automatic, 1, true},
      {"OK in automatic mode applies at once", "1", "1", 1000, {Command1}, automatic, 0, false},
      {"cancel in automatic mode", "1", "1", 4000, {Command2}, {}, 0, true},
      {"OK turning it off", "1", "0", 0, {Check1, Command1}, turnedOff, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Harness h;
    h.StartWith(c.autoAdminLogon, c.flag);
    const Registry expected = After(Contents(), c.changes, c.changes.size());
    const int before = RegistryCallCount();
    h.services.Advance(c.wait);
    for (ControlId id : c.clicks)
      h.services.Click(id);
    using Spans = std::vector<HeadlessProcess::LockSpan>;
    if (c.lockChecked) {
      EXPECT_EQ(h.services.saveLocks,
                (c.changes.empty() ? Spans{} : Spans{{before, RegistryCallCount()}}));
    }
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
      h.Type({{Text3, u"x"}, {Text3, typed}});
      h.services.Click(Check2);
      h.Apply(countdown);
    };
  };
  const auto countdown = [](Harness& h) { h.services.Advance(5000); };
  enum Outcome { kWritten, kRefused, kNoShortName };
  struct Case {
    const char* label;
    std::function<void(Harness&)> act;
    Outcome outcome;
  };
  const Case cases[] = {
      {"stored, unedited", countdown, kWritten},
      {"edit undone", retype(u"????", true), kWritten},
      {"typed, OK", retype(u"Пётр", false), kRefused},
      {"typed, countdown", retype(u"Пётр", true), kRefused},
      {"folder without a short name", countdown, kNoShortName},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Harness h;
    memory::PutText(registry::kLocalMachine, kWinlogonKey, kDefaultUserNameValue, u"Иван");
    memory::PutText(registry::kLocalMachine, kWinlogonKey, kDefaultPasswordValue, u"пароль€1");
    h.Put(kWinlogonKey, kAutoAdminLogonValue, "1");
    h.Put(kWinlogonKey, kQuendaValue, "1");
    h.services.executableDirectory = cyrillic;
    if (c.outcome != kNoShortName)
      h.services.shortPaths[cyrillic] = u"C:\\PROGRA~2";
    h.Start();
    auto expected = memory::Snapshot();
    EXPECT_EQ(h.ExitCodeOf([&] { c.act(h); }), c.outcome == kNoShortName ? 1 : -1);
    // Everything else that the apply writes holds what was stored already.
    if (c.outcome == kWritten)
      expected[kRunEntry] = {registry::kTypeSz, std::string("C:\\PROGRA~2\\Quenda.exe") + '\0'};
    EXPECT_EQ(memory::Snapshot(), expected);
    const std::u16string message = c.outcome == kRefused ? std::u16string(UnrepresentableMessage())
                                   : c.outcome == kNoShortName ? RunEntryMessage(cyrillic)
                                                               : u"";
    EXPECT_EQ(h.services.messages.empty() ? u"" : h.services.messages[0].text, message);
    EXPECT_EQ(h.services.closed, c.outcome == kWritten);
    if (c.outcome == kRefused) {
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
  const std::pair<std::u16string_view, memory::StoredValue> unshowable[] = {
      {kDefaultUserNameValue, {registry::kTypeMultiSz, std::string("a\0b\0\0", 5)}},
      {kDefaultPasswordValue, {registry::kTypeBinary, "\x01\x02"}},
      {kDefaultDomainNameValue, {registry::kTypeSz, std::string(1500, 'd') + '\0'}}};
  for (const bool countdown : {false, true}) {
    SCOPED_TRACE(countdown ? "countdown" : "OK");
    Harness h;
    h.Put(kWinlogonKey, kAutoAdminLogonValue, "1");
    h.Put(kWinlogonKey, kQuendaValue, countdown ? "1" : "0");
    for (const auto& [name, value] : unshowable)
      memory::PutValue(registry::kLocalMachine, kWinlogonKey, name, value.type, value.data);
    h.Start();
    EXPECT_EQ(h[Text3].text + h[Text4].text + h[Text2].text, u"");
    h.Apply(countdown);
    EXPECT_TRUE(h.services.closed);
    for (const auto& [name, value] : unshowable)
      EXPECT_EQ(memory::FindValue(registry::kLocalMachine, kWinlogonKey, name), value);
  }
  Harness h;
  h.StartWith("1", "0");
  const Registry before = Contents();
  h.Type({{Text2, std::u16string(1024, u'd')}});
  h.services.Click(Command1);
  EXPECT_EQ(Contents(), before);
  EXPECT_EQ(h.services.messages,
            (std::vector<ShownMessage>{{std::u16string(TooLongMessage()), MessageKind::Plain}}));
  EXPECT_EQ(h.form.Focused(), Text2);
  h.Type({{Text2, std::u16string(1023, u'd')}});
  h.services.Click(Command1);
  EXPECT_EQ(Contents()[kLogon + u"defaultdomainname"], std::string(1023, 'd') + '\0');
}

}  // namespace
}  // namespace quenda::testing
