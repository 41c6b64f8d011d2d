// The save step driven through the dialog's real handlers: the order of the writes with a failure
// injected at each one, and the apply that has nothing to change.
#include <functional>
#include <string>
#include <vector>

#include "harness.h"
#include "save_step.h"

namespace quenda::testing {
namespace {

// The texts an apply writes, in order, by full name.
using Changes = std::vector<std::pair<std::u16string, std::string>>;

// `registry` after the first `count` of `changes`, each with the NUL Windows stores after it.
Registry After(Registry registry, const Changes& changes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    registry[changes[i].first] = {registry::kTypeSz, changes[i].second + '\0'};
  return registry;
}

// The countdown's apply over alice / pw / HOME, turning the automatic logon on for "bob". A failure
// is injected at the save lock, at the creation of each key before the first write, and at each
// write in turn: the message shows, the process ends with 1, and exactly the writes before the
// failing one are in place. The save lock is held from the first registry access to the last.
TEST(SaveSequence, EachWriteInOrderAndNothingAfterAFailedOne) {
  const Changes changes = {
      {kLogon + u"autoadminlogon", "1"},       {kLogon + u"defaultusername", "bob"},
      {kLogon + u"defaultpassword", "s3cret"}, {kRunEntry, "C:\\Tools\\Quenda.exe"},
      {kLogon + u"defaultdomainname", "HOME"}, {kLogon + u"quenda", "1"}};
  using enum memory::Operation;
  // Where it fails (occurrence 0: nowhere; -1: the save lock) and the writes in place by then.
  std::vector<std::tuple<memory::Operation, int, std::size_t>> faults = {
      {Set, 0, changes.size()}, {Set, -1, 0}, {Create, 1, 0}, {Create, 2, 0}};
  for (std::size_t i = 0; i < changes.size(); ++i)
    faults.emplace_back(Set, static_cast<int>(i) + 1, i);
  for (const auto& [operation, occurrence, changesBefore] : faults) {
    SCOPED_TRACE(::testing::Message() << static_cast<int>(operation) << " #" << occurrence);
    Harness h;
    h.StartWith("0", "0");
    const Registry expected = After(memory::Snapshot(), changes, changesBefore);
    h.services.Type(Text3, u"bob");
    for (ControlId box : {Text4, Text6})
      h.services.Type(box, u"s3cret");
    h.services.Click(Check2);
    h.services.saveLockTimesOut = occurrence < 0;
    memory::FailCall(operation, std::max(occurrence, 0), registry::kAccessDenied);
    const int before = HeadlessProcess::ClosedKeys();
    const int exitCode = h.Apply(true);
    EXPECT_EQ(memory::Snapshot(), expected);
    const bool failed = occurrence != 0;
    EXPECT_EQ(std::tuple(exitCode, h.services.closed), std::tuple(failed ? 1 : -1, !failed));
    const auto text = occurrence < 0 ? SaveLockTimeoutMessage() : FailureMessage();
    const ShownMessage failure{std::u16string(text), MessageKind::Error};
    EXPECT_EQ(h.services.messages, failed ? std::vector{failure} : std::vector<ShownMessage>{});
    if (!failed) {
      EXPECT_EQ(h.services.saveLockCloses, (std::vector{before, HeadlessProcess::ClosedKeys()}));
    }
  }
}

// An apply that would change nothing writes nothing and opens nothing for writing, so it needs no
// rights, as at a standard user's logon. Each case stores a difference (or none) over what an
// apply leaves (alice / pw / HOME on, the Run entry of C:\Tools, the password in the secret), then
// applies by the countdown (flag "1") or by OK with every writing call refused, registry and
// secret alike. Without a difference it ends quietly; with one, the secret alone included, it
// fails, the countdown stopped first. Either way nothing changes.
TEST(UnchangedApply, OnlyADifferenceWritesOrOpensForWriting) {
  const auto put = [](std::u16string_view key, std::u16string_view name, std::uint32_t type,
                      std::string data) {
    return [=] { memory::PutValue(registry::kLocalMachine, key, name, type, data); };
  };
  const std::u16string_view W = kWinlogonKey;
  struct Case {
    const char* label;
    std::function<void()> differ = {};  // stored over the applied configuration
    bool differs = false;
    const char* flag = "1";
    std::u16string typedPassword = {};
  };
  const Case cases[] = {
      {"a new password", {}, true, "0", u"pw2"},
      {"REG_EXPAND_SZ", put(W, kAutoAdminLogonValue, registry::kTypeExpandSz, {"1\0", 2}), true},
      {"a Run entry with a blank",
       put(kRunKey, kQuendaValue, registry::kTypeSz, "C:\\Tools\\Quenda.exe "), true},
      {"a password beside a secret", put(W, kDefaultPasswordValue, registry::kTypeSz, "pw"), true},
      {"a text without its NUL", put(W, kAutoAdminLogonValue, registry::kTypeSz, "1")},
      {"another secret, applied as read", [] { secret::memory::PutSecret(u"pw2"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Harness h;
    h.Store("1", c.flag);
    h.Put(kRunKey, kQuendaValue, "C:\\Tools\\Quenda.exe");
    DeleteValue(registry::kLocalMachine, kWinlogonKey, kDefaultPasswordValue);
    secret::memory::PutSecret(u"pw");
    if (c.differ)
      c.differ();
    h.form.Load();
    for (ControlId box : {Text4, Text6})
      h.services.Type(box, c.typedPassword.empty() ? h[box].text : c.typedPassword);
    const Registry before = memory::Snapshot();
    const auto secretBefore = secret::memory::FindSecret();
    for (const auto operation : {memory::Operation::Create, memory::Operation::OpenForWriting,
                                 memory::Operation::Set, memory::Operation::Delete})
      memory::FailCall(operation, 1, registry::kAccessDenied);
    for (const auto operation :
         {secret::memory::Operation::CheckStoreAccess, secret::memory::Operation::Store})
      secret::memory::FailCall(operation, 1, secret::kAccessDenied);
    const int exitCode = h.Apply(c.flag[0] == '1');
    EXPECT_EQ(std::tuple(exitCode, h.services.closed, h.services.messages.size()),
              std::tuple(c.differs ? 1 : -1, !c.differs, std::size_t{c.differs}));
    EXPECT_EQ(
        std::tuple(memory::Snapshot(), secret::memory::FindSecret(), h.services.countdownRunning),
        std::tuple(before, secretBefore, false));
  }
}

}  // namespace
}  // namespace quenda::testing
