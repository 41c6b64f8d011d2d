// The console companion's commands on the host: each command run over the substitute registry and
// the substitute LSA secret with a headless console, checked by what it printed, what it left
// stored and its exit code. Only the host reaches the roads with a secret: under Wine every secret
// call answers "not found".
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "ansi_text_iconv.h"
#include "console_commands.h"
#include "locations.h"
#include "registry_memory.h"
#include "secret_memory.h"
#include "services_headless.h"
#include "texts.h"

namespace quenda {
namespace {

namespace memory = registry::memory;
using namespace std::string_literals;
using Args = std::vector<std::u16string_view>;
using Lines = std::vector<std::u16string>;
using Secret = std::optional<std::u16string>;
// Where the password is: DefaultPassword's text (nullopt: absent) and the secret.
using Passwords = std::pair<std::optional<std::string>, Secret>;

const Args kEnable = {u"/enable", u"/user:ann"};
const Args kDisable = {u"/disable"};
const Args kReapply = {u"/reapply"};
constexpr const char* kRunEntry = "C:\\Tools\\Quenda.exe";

std::u16string Line(std::u16string_view message) {
  return std::u16string(message) + u"\r\n";
}

// A store as a configured machine holds it: "PC", alice / pw / HOME, the automatic logon on with
// the program's flag and Run entry, no secret.
class Console : public ::testing::Test {
 protected:
  void SetUp() override {
    memory::Reset();
    secret::memory::Reset();
    SetAnsiCodePage("WINDOWS-1252");
    Put(kComputerNameKey, kComputerNameValue, "PC");
    Put(kWinlogonKey, kAutoAdminLogonValue, "1");
    Put(kWinlogonKey, kQuendaValue, "1");
    Put(kWinlogonKey, kDefaultUserNameValue, "alice");
    Put(kWinlogonKey, kDefaultPasswordValue, "pw");
    Put(kWinlogonKey, kDefaultDomainNameValue, "HOME");
    Put(kRunKey, kQuendaValue, kRunEntry);
  }

  static void Put(std::u16string_view path, std::u16string_view name, std::string text,
                  std::uint32_t type = registry::kTypeSz) {
    memory::PutValue(registry::kLocalMachine, path, name, type, text + '\0');
  }
  // The text a value holds, without the NUL Windows stores after it; nullopt when it is missing.
  static std::optional<std::string> Stored(std::u16string_view name,
                                           std::u16string_view path = kWinlogonKey) {
    const auto value = memory::FindValue(registry::kLocalMachine, path, name);
    return value ? std::optional(value->data.substr(0, value->data.find('\0'))) : std::nullopt;
  }
  // The logon flag, "Automatically", the Run entry, the user and the domain.
  static auto Settings() {
    return std::tuple(Stored(kAutoAdminLogonValue), Stored(kQuendaValue),
                      Stored(kQuendaValue, kRunKey), Stored(kDefaultUserNameValue),
                      Stored(kDefaultDomainNameValue));
  }
  static Passwords PasswordsStored() {
    return {Stored(kDefaultPasswordValue), secret::memory::FindSecret()};
  }

  // Runs quenda.com with `args` reading `input` (or `typed` at a console), keeping only this run's
  // output; a process ended by a failed write gives its exit code.
  int Run(Args args, std::string input = "", Lines typed = {}) {
    console.output = console.error = u"";
    console.input = std::move(input);
    console.inputIsConsole = !typed.empty();
    console.typedLines = std::move(typed);
    try {
      return RunConsole(args, console, console);
    } catch (const ProcessEnded& ended) {
      return ended.exitCode;
    }
  }

  HeadlessConsole console;
};

// /status shows a control character in a stored text written out, so that no stored name can
// print a line that looks like one of the report's own.
TEST_F(Console, StatusReportsWhatIsStoredAndCheckFindsNothing) {
  Put(kWinlogonKey, kDefaultDomainNameValue, "C\tO\x01\r\nPassword stored: no\x7F");
  EXPECT_EQ(Run({u"/status"}), 0);
  EXPECT_EQ(
      console.output,
      u"Machine name: PC\r\nAutomatic logon: on\r\nUser name: alice\r\n"
      u"Domain name: C\\tO\\x01\\r\\nPassword stored: no\\x7f\r\n"
      u"Password stored: registry\r\nAutomatically: on\r\nRun entry: C:\\Tools\\Quenda.exe\r\n");
  EXPECT_EQ(Run({u"/check"}), 0);
  Put(kWinlogonKey, kDefaultPasswordValue, "");  // an empty value is no password
  EXPECT_EQ(Run({u"/status"}), 0);
  EXPECT_NE(console.output.find(u"Password stored: none\r\n"), std::u16string::npos);
  secret::memory::PutSecret(u"s");
  EXPECT_EQ(Run({u"/status"}), 0);
  EXPECT_NE(console.output.find(u"Password stored: protected\r\n"), std::u16string::npos);
}

// /reapply, /disable and /enable write what the dialog writes, the names it cannot show (another
// type, too long) back as stored. /enable takes the first line of standard input (nothing after
// it) or the password typed twice at a console; without /domain: the stored domain stays. 1023
// characters and the NUL fill the 1024 bytes GetValue reads.
TEST_F(Console, CommandsWriteWhatTheDialogWrites) {
  Put(kWinlogonKey, kAutoAdminLogonValue, "0");
  Put(kWinlogonKey, kDefaultUserNameValue, "%USER%", registry::kTypeExpandSz);
  const std::string domain(2000, 'd');
  Put(kWinlogonKey, kDefaultDomainNameValue, domain);
  EXPECT_EQ(Run(kReapply), 0);
  EXPECT_EQ(Settings(), std::tuple("1", "1", kRunEntry, "%USER%", domain));
  EXPECT_EQ(Run(kDisable), 0);
  EXPECT_EQ(Settings(), std::tuple("0", "0", std::nullopt, "%USER%", domain));
  EXPECT_EQ(memory::FindValue(registry::kLocalMachine, kWinlogonKey, kDefaultUserNameValue)->type,
            registry::kTypeExpandSz);
  EXPECT_TRUE(PasswordsStored() == Passwords());  // compared without printing
  EXPECT_EQ(Run({u"/check"}), kExitNotReady);

  console.logonAnswer = LogonCheck::PasswordExpired;  // not asked with /nocheck
  EXPECT_EQ(Run({u"/enable", u"/user:b", u"/nocheck"}, "s3cret\r\nnext\r\n"), 0);
  EXPECT_EQ(console.input, "next\r\n");
  EXPECT_EQ(Settings(), std::tuple("1", "0", kRunEntry, "b", domain));
  EXPECT_TRUE(PasswordsStored() == Passwords("s3cret", {}));
  const std::u16string longest = u"/user:" + std::u16string(1023, u'n');
  console.logonAnswer = LogonCheck::Accepted;
  EXPECT_EQ(Run({u"/enable", longest, u"/domain:C", u"/automatic"}, "", {u"x", u"x"}), 0);
  EXPECT_EQ(Settings(), std::tuple("1", "1", kRunEntry, std::string(1023, 'n'), "C"));
  EXPECT_TRUE(PasswordsStored() == Passwords("x", {}));
}

// What is refused writes nothing and ends with the exit code and the message given: usage errors
// (the help on standard error), a name too long to be read back whole, a password line that is
// missing, holds a control character or is over-long, typed differently twice or interrupted,
// and credentials Windows refuses. Only the last is tried, with the domain given.
TEST_F(Console, RefusalsWriteNothing) {
  const std::u16string tooLong = u"/user:" + std::u16string(1024, u'n');
  const std::u16string refused =
      u"Windows refuses this logon: the password has expired.\r\n"
      u"Nothing was written. /nocheck saves without trying the logon.\r\n";
  // Arguments, standard input, lines typed at a console, exit code, the end of standard error.
  const std::tuple<Args, std::string, Lines, int, std::u16string> kCases[] = {
      {{}, "", {}, kExitUsage, std::u16string(ConsoleUsage())},
      {{u"/enable", tooLong, u"/nocheck"}, "pw\n", {}, 1, Line(TooLongMessage())},
      {kEnable, "", {}, kExitUsage, Line(NoPasswordLineMessage())},
      {kEnable, "pw\0\r\n"s, {}, 1, Line(PasswordControlCharacterMessage())},
      {kEnable, std::string(5000, 'x'), {}, 1, Line(PasswordTooLongMessage())},
      {kEnable, "", {u"p\x01", u"p\x01"}, 1, Line(PasswordControlCharacterMessage())},
      {kEnable, "", {u"pw"}, kExitUsage, Line(NoPasswordLineMessage())},
      {kEnable, "", {u"pw", u"pW"}, 1, Line(MismatchMessage())},
      {{u"/enable", u"/user:ann", u"/domain:CORP"}, "s3cret\n", {}, 1, refused},
  };
  console.logonAnswer = LogonCheck::PasswordExpired;
  const auto before = memory::Snapshot();
  for (const auto& [args, input, typed, exitCode, error] : kCases) {
    SCOPED_TRACE(testing::PrintToString(args));
    EXPECT_EQ(Run(args, input, typed), exitCode);
    EXPECT_EQ(memory::Snapshot(), before);
    EXPECT_EQ(console.output, u"");
    EXPECT_TRUE(console.error.ends_with(error)) << testing::PrintToString(console.error);
  }
  EXPECT_EQ(console.logonsTried, Lines{u"CORP\\ann:s3cret"});
}

// The package's removal deletes the Run entry only when it starts a program directly inside this
// program's folder (by its long or short name, quoted or not, in any case).
TEST_F(Console, UninstallCleanupRemovesOnlyARunEntryOfThisFolder) {
  const std::pair<const char*, bool> kRemoved[] = {
      {"\"c:\\program files\\quenda\\quenda.exe\"", true},
      {"C:\\PROGRA~1\\Quenda\\Quenda.exe", true},
      {"C:\\Program Files\\Quenda\\sub\\Quenda.exe", false},
      {"C:\\Program Files\\QuendaOld\\Quenda.exe", false},
  };
  console.executableDirectory = u"C:\\Program Files\\Quenda";
  console.shortPaths[u"C:\\Program Files\\Quenda"] = u"C:\\PROGRA~1\\Quenda";
  for (const auto& [runEntry, removed] : kRemoved) {
    SCOPED_TRACE(runEntry);
    Put(kRunKey, kQuendaValue, runEntry);
    EXPECT_EQ(Run({u"/uninstall-cleanup"}), 0);
    EXPECT_EQ(Stored(kQuendaValue, kRunKey).has_value(), !removed);
  }
  Put(kRunKey, kQuendaValue, kRemoved[0].first);
  memory::FailCall(memory::Operation::Delete, memory::CallCount(memory::Operation::Delete) + 1,
                   registry::kAccessDenied);
  EXPECT_EQ(Run({u"/uninstall-cleanup"}), 1);
}

// The password-store rule, one road a row, from "pw" in the registry and the secret given: the
// command, where the password is after. Only the rows that change the secret open the LSA policy
// for storing; when that or the store itself fails, the apply ends with the failure message
// before anything is written.
TEST_F(Console, EachRoadLeavesThePasswordWhereWindowsReadsIt) {
  using secret::memory::Operation;
  const Args protect = {u"/enable", u"/user:ann", u"/protect"};
  const std::optional<Operation> none;
  // The secret before, the command and its input, where the password is after, a failing call.
  const std::tuple<Secret, Args, const char*, Passwords, std::optional<Operation>> kRoads[] = {
      {{}, protect, "new", {{}, u"new"}, none},
      {u"old", kEnable, "new", {{}, u"new"}, none},  // the value beside a secret goes
      {u"old", kDisable, "", {{}, {}}, none},
      {u"old", kEnable, "\r\n", {{}, {}}, none},  // an empty password deletes both
      {u"kept", kReapply, "", {{}, u"kept"}, none},
      {u"old", kEnable, "new", {"pw", u"old"}, Operation::CheckStoreAccess},
      {u"old", kDisable, "", {"pw", u"old"}, Operation::Store},
  };
  for (const auto& [secretBefore, command, input, after, failing] : kRoads) {
    SCOPED_TRACE(testing::PrintToString(command));
    SetUp();
    secret::memory::PutSecret(secretBefore);
    if (failing)
      secret::memory::FailCall(*failing, 1, secret::kAccessDenied);
    EXPECT_EQ(Run(command, input), failing ? kExitWriteFailed : 0);
    EXPECT_EQ(console.error, failing ? Line(FailureMessage()) : u"");
    EXPECT_TRUE(PasswordsStored() == after);  // compared without printing: passwords
    EXPECT_EQ(secret::memory::CallCount(Operation::CheckStoreAccess),
              failing || after.second != secretBefore ? 1 : 0);
  }
}

// A secret that may not be read (no administrative rights): /status cannot say where the password
// is, a new password cannot be placed and nothing is written; /reapply leaves the password alone
// wherever it is and turns the automatic logon back on, keeping "Automatically" and the Run entry
// that re-apply it. With "Automatically" off /reapply changes nothing and says so.
TEST_F(Console, ReapplyAndAnUnreadableSecret) {
  Put(kWinlogonKey, kAutoAdminLogonValue, "0");
  secret::memory::PutSecret(u"old");
  for (int call = 1; call <= 20; ++call)
    secret::memory::FailCall(secret::memory::Operation::Retrieve, call, secret::kAccessDenied);
  EXPECT_EQ(Run({u"/status"}), kExitWriteFailed);
  EXPECT_EQ(console.error, Line(UnreadableMessage()));
  const auto before = memory::Snapshot();
  EXPECT_EQ(Run(kEnable, "new"), kExitWriteFailed);
  EXPECT_EQ(memory::Snapshot(), before);
  EXPECT_EQ(Run(kReapply), 0);
  EXPECT_TRUE(PasswordsStored() == Passwords("pw", u"old"));
  EXPECT_EQ(Settings(), std::tuple("1", "1", kRunEntry, "alice", "HOME"));

  Put(kWinlogonKey, kQuendaValue, "0");
  const auto reapplied = memory::Snapshot();
  EXPECT_EQ(Run(kReapply), 0);
  EXPECT_EQ(console.output, ReapplyOffMessage());
  EXPECT_EQ(memory::Snapshot(), reapplied);
}

}  // namespace
}  // namespace quenda
