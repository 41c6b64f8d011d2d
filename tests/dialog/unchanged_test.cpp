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

using registry::memory::Operation;
using Secret = secret::memory::Operation;
constexpr Operation kWriting[] = {Operation::Create, Operation::OpenForWriting, Operation::Set,
                                  Operation::Delete};

// How many calls wrote, or opened for writing, the registry or the secret.
int WritingCalls() {
  int calls = secret::memory::CallCount(Secret::CheckStoreAccess) +
              secret::memory::CallCount(Secret::Store);
  for (Operation operation : kWriting)
    calls += memory::CallCount(operation);
  return calls;
}

// Refuses the first call of each kind WritingCalls counts, as the system refuses a standard user.
void RefuseWrites() {
  for (Operation operation : kWriting)
    memory::FailCall(operation, 1, registry::kAccessDenied);
  for (Secret operation : {Secret::CheckStoreAccess, Secret::Store})
    secret::memory::FailCall(operation, 1, secret::kAccessDenied);
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

// Each way of applying, over a configuration that already holds what it would write, with or
// without a difference stored over it. Without one, even with every write and every open for
// writing refused (as for a standard user), it succeeds quietly, makes none of those calls and
// leaves everything as it was. One value that differs, the secret alone included (a password left
// behind after the automatic logon was turned off, a new password for an existing secret), makes
// it run the whole apply: with the writes refused it fails as before; allowed, it leaves the
// applied configuration. What start-up read and the countdown writes back as read does not differ,
// a text stored without its terminating NUL included.
TEST(UnchangedApply, OnlyADifferenceWritesOrOpensForWriting) {
  const auto dialog = [](bool countdown) {
    return [countdown](Harness& h) {
      const int exitCode = h.ExitCodeOf([&] { h.Apply(countdown); });
      return exitCode == -1 ? 0 : exitCode;
    };
  };
  const auto console = [](std::vector<std::u16string_view> arguments, std::string input = {}) {
    return [=](Harness& h) { return RunConsoleWith(h, arguments, input); };
  };
  const auto countdown = dialog(true);
  const auto logon = [](std::u16string_view name, std::uint32_t type, std::string data) {
    return [=] { memory::PutValue(registry::kLocalMachine, kWinlogonKey, name, type, data); };
  };
  const auto run = [](std::string data) {
    return [=] {
      memory::PutValue(registry::kLocalMachine, kRunKey, kQuendaValue, registry::kTypeSz, data);
    };
  };
  const auto putSecret = [](std::u16string text) {
    return [=] { secret::memory::PutSecret(text); };
  };
  const auto sz = registry::kTypeSz, dword = registry::kTypeDword;
  const std::string one("\1\0\0\0", 4);
  const std::vector<std::u16string_view> enable = {u"/enable", u"/user:alice", u"/automatic"};
  const auto disable = console({u"/disable"});
  const std::vector<std::u16string_view> protect = {u"/enable", u"/user:alice", u"/protect"};
  struct Case {
    const char* label;
    std::function<void()> differ = {};  // stored over the applied configuration
    bool differs = false;
    std::function<int(Harness&)> apply = {};  // its exit code; none: the countdown
    const char* flag = "1";                   // as StoreApplied takes it
    bool protectedPassword = true;
    std::optional<std::u16string> secretAfter = u"pw";  // when the apply ran
  };
  const Case cases[] = {
      {"the countdown", {}, false, {}, "1", false},
      {"the countdown, protected"},
      {"OK", {}, false, dialog(false), "0", false},
      {"OK, protected", {}, false, dialog(false), "0"},
      {"/enable", {}, false, console(enable, "pw\r\n"), "1", false},
      {"/enable /protect", {}, false, console(protect, "pw"), "0"},
      {"/reapply, protected", {}, false, console({u"/reapply"})},
      {"/disable", {}, false, disable, nullptr, false},
      {"/disable, leftover secret", putSecret(u"pw"), true, disable, nullptr, true, std::nullopt},
      {"/enable, a new password", {}, true, console(enable, "pw2"), "1", true, u"pw2"},
      {"a DWORD 1", logon(kAutoAdminLogonValue, dword, one), true},
      {"the flag as a DWORD 1", logon(kQuendaValue, dword, one), true},
      {"REG_EXPAND_SZ", logon(kAutoAdminLogonValue, registry::kTypeExpandSz, {"1\0", 2}), true},
      {"a Run entry with a blank", run("C:\\Tools\\Quenda.exe "), true},
      {"an empty Run entry", run({"\0", 1}), true},
      {"a password beside the secret", logon(kDefaultPasswordValue, sz, "pw"), true},
      {"a text without its NUL", logon(kAutoAdminLogonValue, sz, "1")},
      {"a text with two NULs", logon(kDefaultUserNameValue, sz, {"alice\0\0", 7})},
      {"another secret, read first and applied as read", putSecret(u"pw2"), false},
  };
  for (const bool refused : {true, false}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << c.label << ", refused " << refused);
      Harness h;
      StoreApplied(h, c.flag, c.protectedPassword);
      if (c.differ)
        c.differ();
      h.Start();
      const Registry before = Contents();
      const auto secretBefore = secret::memory::FindSecret();
      if (refused)
        RefuseWrites();
      const int exitCode = c.apply ? c.apply(h) : countdown(h);
      EXPECT_EQ(exitCode, c.differs && refused ? 1 : 0);
      EXPECT_EQ(WritingCalls() != 0, c.differs);
      const bool byDialog = c.label[0] != '/';
      EXPECT_EQ(std::pair(h.services.closed, h.services.messages.size()),
                std::pair(byDialog && exitCode == 0, std::size_t{byDialog && exitCode != 0}));
      if (!c.differs || refused) {
        EXPECT_EQ(Contents(), before);
        EXPECT_EQ(secret::memory::FindSecret(), secretBefore);
        continue;
      }
      EXPECT_EQ(secret::memory::FindSecret(), c.secretAfter);
      const Registry after = Contents();
      Harness expected;  // a fresh store, holding just what the apply leaves
      StoreApplied(expected, c.flag, c.protectedPassword);
      EXPECT_EQ(after, Contents());
    }
  }
}

}  // namespace
}  // namespace quenda::testing
