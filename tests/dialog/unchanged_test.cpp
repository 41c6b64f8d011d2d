// An apply that would change nothing writes nothing and opens nothing for writing, through every
// way of applying: the countdown, OK, /enable, /disable and /reapply. So it needs no rights, as at
// a standard user's logon. One value that differs makes the whole apply run, as before.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "console_commands.h"
#include "harness.h"

namespace quenda::testing {
namespace {

const std::u16string kLogon = u"HKLM\\software\\microsoft\\windows nt\\currentversion\\winlogon\\";
const std::u16string kRunEntry = u"HKLM\\software\\microsoft\\windows\\currentversion\\run\\quenda";

// Every call that writes, or opens for writing, the registry or the secret.
std::vector<int> WritingCalls() {
  using registry::memory::Operation;
  using Secret = secret::memory::Operation;
  return {memory::CallCount(Operation::Create),
          memory::CallCount(Operation::OpenForWriting),
          memory::CallCount(Operation::Set),
          memory::CallCount(Operation::Delete),
          secret::memory::CallCount(Secret::CheckStoreAccess),
          secret::memory::CallCount(Secret::Store)};
}

// Refuses the first call of each kind WritingCalls counts, as the system refuses a standard user.
void RefuseWrites() {
  using registry::memory::Operation;
  for (Operation operation :
       {Operation::Create, Operation::OpenForWriting, Operation::Set, Operation::Delete})
    memory::FailCall(operation, 1, registry::kAccessDenied);
  secret::memory::FailCall(secret::memory::Operation::CheckStoreAccess, 1, secret::kAccessDenied);
  secret::memory::FailCall(secret::memory::Operation::Store, 1, secret::kAccessDenied);
}

// A configuration as an apply leaves it: alice / pw / HOME, the automatic logon on with the Run
// entry of C:\Tools and the program's flag as given, the password in the secret or in the
// registry; or, for a null flag, turned off.
void StoreApplied(Harness& h, const char* flag, bool protectedPassword) {
  h.Put(kWinlogonKey, kAutoAdminLogonValue, flag ? "1" : "0");
  h.Put(kWinlogonKey, kDefaultUserNameValue, "alice");
  h.Put(kWinlogonKey, kDefaultDomainNameValue, "HOME");
  h.Put(kWinlogonKey, kQuendaValue, flag ? flag : "0");
  if (!flag)
    return;
  h.Put(kRunKey, kQuendaValue, "C:\\Tools\\Quenda.exe");
  if (protectedPassword)
    secret::memory::PutSecret(u"pw");
  else
    h.Put(kWinlogonKey, kDefaultPasswordValue, "pw");
}

// quenda.com with `arguments` and `input`: its exit code, or that of the process it ended. A
// failure shows one message, success none.
int RunConsoleWith(Harness& h, std::vector<std::u16string_view> arguments, std::string input = {}) {
  HeadlessConsole console;
  console.input = std::move(input);
  int exitCode = 0;
  const int ended = h.ExitCodeOf([&] { exitCode = RunConsole(arguments, console, console); });
  exitCode = ended == -1 ? exitCode : ended;
  EXPECT_EQ(console.messages.size(), exitCode == 0 ? 0u : 1u);
  return exitCode;
}

// The ways of applying, each over a configuration that already holds what it would write.
struct Way {
  const char* label;
  const char* flag;  // as stored; nullptr: the automatic logon is off
  bool protectedPassword;
  std::function<int(Harness&)> apply;  // the exit code; 0 for a dialog that closed by itself
};
const Way kWays[] = {
    {"the countdown", "1", false, [](Harness& h) { return h.services.Advance(5000), 0; }},
    {"the countdown, protected", "1", true, [](Harness& h) { return h.services.Advance(5000), 0; }},
    {"OK", "0", false, [](Harness& h) { return h.services.Click(Command1), 0; }},
    {"OK, protected", "0", true, [](Harness& h) { return h.services.Click(Command1), 0; }},
    {"/enable", "1", false,
     [](Harness& h) {
       return RunConsoleWith(h, {u"/enable", u"/user:alice", u"/automatic"}, "pw\r\n");
     }},
    {"/enable /protect, protected", "0", true,
     [](Harness& h) {
       return RunConsoleWith(h, {u"/enable", u"/user:alice", u"/protect"}, "pw");
     }},
    {"/reapply, protected", "1", true, [](Harness& h) { return RunConsoleWith(h, {u"/reapply"}); }},
    {"/disable", nullptr, false, [](Harness& h) { return RunConsoleWith(h, {u"/disable"}); }},
};

// With every write and every open for writing refused, as for a standard user, each way succeeds
// quietly, makes none of those calls and leaves everything as it was.
TEST(UnchangedApply, WritesNothingAndOpensNothingForWriting) {
  for (const Way& way : kWays) {
    SCOPED_TRACE(way.label);
    Harness h;
    StoreApplied(h, way.flag, way.protectedPassword);
    h.Start();
    RefuseWrites();
    const Registry before = Contents();
    EXPECT_EQ(way.apply(h), 0);
    EXPECT_EQ(std::pair(h.services.closed, h.services.messages.size()),
              std::pair(way.label[0] != '/', std::size_t{0}));
    EXPECT_EQ(Contents(), before);
    EXPECT_EQ(secret::memory::FindSecret(),
              way.protectedPassword ? std::optional<std::u16string>(u"pw") : std::nullopt);
    EXPECT_EQ(WritingCalls(), std::vector<int>(6, 0));
  }
}

// One value that differs from what the countdown would leave makes it run the whole apply: with
// the writes refused it fails as before; allowed, it leaves the applied configuration. What
// start-up read and the countdown writes back as read holds, a text stored without its
// terminating NUL included.
TEST(UnchangedApply, OneDifferenceRunsTheWholeApply) {
  const auto put = [](std::u16string_view path, std::u16string_view name, std::uint32_t type,
                      std::string data) {
    return [=] { memory::PutValue(registry::kLocalMachine, path, name, type, data); };
  };
  const auto sz = registry::kTypeSz;
  const auto dword1 = [&](std::u16string_view name) {
    return put(kWinlogonKey, name, registry::kTypeDword, std::string("\1\0\0\0", 4));
  };
  const std::pair<std::function<void()>, bool> differences[] = {
      // and whether anything differs
      {dword1(kAutoAdminLogonValue), true},
      {dword1(kQuendaValue), true},
      {put(kWinlogonKey, kAutoAdminLogonValue, registry::kTypeExpandSz, std::string("1\0", 2)),
       true},
      {put(kRunKey, kQuendaValue, sz, "C:\\Tools\\Quenda.exe "), true},
      {[] { memory::PutText(registry::kLocalMachine, kRunKey, kQuendaValue, u""); }, true},
      {put(kWinlogonKey, kDefaultPasswordValue, sz, "pw"), true},  // beside the secret
      {put(kWinlogonKey, kAutoAdminLogonValue, sz, "1"), false},
      {put(kWinlogonKey, kDefaultUserNameValue, sz, std::string("alice\0\0", 7)), false},
      {[] { secret::memory::PutSecret(u"pw2"); }, false},  // read first, and applied as read
  };
  for (const bool refused : {true, false}) {
    for (std::size_t i = 0; i < std::size(differences); ++i) {
      SCOPED_TRACE(::testing::Message() << "refused " << refused << ", difference " << i);
      const auto& [differ, differs] = differences[i];
      Harness h;
      StoreApplied(h, "1", true);
      differ();
      h.Start();
      const std::u16string shown = h[Text4].text;
      const Registry before = Contents();
      if (refused)
        RefuseWrites();
      const int exitCode = h.ExitCodeOf([&] { h.services.Advance(5000); });
      EXPECT_EQ(exitCode, differs && refused ? 1 : -1);
      EXPECT_EQ(WritingCalls() != std::vector<int>(6, 0), differs);
      if (!differs || refused) {
        EXPECT_EQ(Contents(), before);
        continue;
      }
      EXPECT_EQ(secret::memory::FindSecret(), std::optional<std::u16string>(shown));
      const Registry after = Contents();
      Harness expected;  // a fresh store, holding just what the apply leaves
      StoreApplied(expected, "1", true);
      EXPECT_EQ(after, Contents());
    }
  }
}

// Where only the secret differs from what an apply leaves (a password left behind after the
// automatic logon was turned off, a new password for an existing secret), the apply runs: with
// the writes refused it fails, allowed it changes the secret alone.
TEST(UnchangedApply, TheSecretAloneDifferingRunsTheApply) {
  struct Case {
    const char* label;
    const char* flag;  // as StoreApplied takes it
    std::vector<std::u16string_view> command;
    const char* input;
    std::optional<std::u16string> secretAfter;
  };
  const Case cases[] = {
      {"/disable, a secret left behind", nullptr, {u"/disable"}, "", std::nullopt},
      {"/enable, a new password", "1", {u"/enable", u"/user:alice", u"/automatic"}, "pw2", u"pw2"},
  };
  for (const bool refused : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << c.label << ", refused " << refused);
      Harness h;
      StoreApplied(h, c.flag, true);
      secret::memory::PutSecret(u"pw");
      const Registry before = Contents();
      if (refused)
        RefuseWrites();
      EXPECT_EQ(RunConsoleWith(h, c.command, c.input), refused ? 1 : 0);
      EXPECT_EQ(Contents(), before);
      EXPECT_TRUE(secret::memory::FindSecret() ==
                  (refused ? std::optional<std::u16string>(u"pw") : c.secretAfter));
    }
  }
}

}  // namespace
}  // namespace quenda::testing
