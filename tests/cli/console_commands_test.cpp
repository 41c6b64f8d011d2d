// The console companion's commands on the host: each command run over the substitute registry with
// a headless console, checked by what it printed, what it left in the registry and its exit code.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "ansi_text.h"
#include "ansi_text_iconv.h"
#include "console_commands.h"
#include "locations.h"
#include "registry_boundary.h"
#include "registry_memory.h"
#include "services_headless.h"
#include "stored_settings.h"
#include "texts.h"

namespace quenda {
namespace {

namespace memory = registry::memory;
using namespace std::string_literals;
using Args = std::vector<std::u16string_view>;
using Lines = std::vector<std::u16string>;
using registry::kLocalMachine;

std::u16string Line(std::u16string_view message) {
  return std::u16string(message) + u"\r\n";
}

// A store as a configured machine holds it: "PC", alice / pw / HOME, the automatic logon on with
// the program's flag and Run entry.
class Console : public ::testing::Test {
 protected:
  void SetUp() override {
    memory::Reset();
    SetAnsiCodePage("WINDOWS-1252");
    IsChinese = false;
    Put(kComputerNameKey, kComputerNameValue, "PC");
    for (const auto& [name, text] : {std::pair{kAutoAdminLogonValue, "1"},
                                     {kQuendaValue, "1"},
                                     {kDefaultUserNameValue, "alice"},
                                     {kDefaultPasswordValue, "pw"},
                                     {kDefaultDomainNameValue, "HOME"}})
      Put(kWinlogonKey, name, text);
    Put(kRunKey, kQuendaValue, "C:\\Tools\\Quenda.exe");
  }

  static void Put(std::u16string_view path, std::u16string_view name, std::string text) {
    memory::PutValue(kLocalMachine, path, name, registry::kTypeSz, text + '\0');
  }
  // The text a value holds, without the NUL Windows stores after it; nullopt when it is missing.
  static std::optional<std::string> Stored(std::u16string_view name,
                                           std::u16string_view path = kWinlogonKey) {
    const auto value = memory::FindValue(kLocalMachine, path, name);
    return value ? std::optional(value->data.substr(0, value->data.find('\0'))) : std::nullopt;
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

TEST_F(Console, StatusReportsWhatIsStoredWithoutThePassword) {
  EXPECT_EQ(Run({u"/status"}), 0);
  EXPECT_EQ(console.output,
            u"Machine name: PC\r\nAutomatic logon: on\r\nUser name: alice\r\n"
            u"Domain name: HOME\r\nPassword stored: registry\r\n"
            u"Automatically: on\r\nRun entry: C:\\Tools\\Quenda.exe\r\n");
  EXPECT_EQ(Run({u"/?"}), 0);
  EXPECT_EQ(console.output, ConsoleUsage());
}

TEST_F(Console, StatusInChineseFollowsTheLocale) {
  memory::PutValue(registry::kCurrentUser, kInternationalKey, kLocaleValue, registry::kTypeSz,
                   "00000404\0"s);
  Put(kWinlogonKey, kDefaultPasswordValue, "");
  EXPECT_EQ(Run({u"/status"}), 0);
  EXPECT_NE(console.output.find(u"自動登入: 開啟\r\n"), std::u16string::npos);
  EXPECT_NE(console.output.find(u"已儲存密碼: 無\r\n"), std::u16string::npos);
}

// A value that exists but may not be read: the report would show a configuration that is not the
// stored one, so the command says so and fails.
TEST_F(Console, StatusOfSettingsThatMayNotBeReadFails) {
  for (int query = 1; query <= 20; ++query)
    memory::FailCall(memory::Operation::Query, query, registry::kAccessDenied);
  EXPECT_EQ(Run({u"/status"}), 1);
  EXPECT_EQ(console.output, u"");
  EXPECT_EQ(console.error, Line(UnreadableMessage()));
}

// /enable writes what OK writes with "Starting Auto Logon" ticked: the first line of standard
// input (nothing after it is taken) or the password typed twice at a console, an empty line or a
// typed blank being a blank password; without /domain: the stored domain stays, and without
// /automatic the flag is cleared. 1023 characters and the NUL fill the 1024 bytes GetValue reads.
TEST_F(Console, EnableWritesTheNamesAndThePassword) {
  const std::u16string longest = u"/user:" + std::u16string(1023, u'n');
  const Args withDomain = {u"/enable", u"/user:b", u"/domain:C", u"/automatic"};
  // Arguments, standard input, lines typed at a console; then the user, password, domain and flag.
  using Case =
      std::tuple<Args, std::string, Lines, std::string, std::u16string, const char*, const char*>;
  const Case kCases[] = {
      {{u"/enable", u"/user:b"}, "s3cret\r\nnext\r\n", {}, "b", u"s3cret", "HOME", "0"},
      {{u"/enable", u"/user:b"}, "\r\n", {}, "b", u"", "HOME", "0"},
      {{u"/enable", u"/user:b"}, "", {u"", u""}, "b", u"", "HOME", "0"},
      {{u"/enable", longest}, "pw\n", {}, std::string(1023, 'n'), u"pw", "HOME", "0"},
      {withDomain, "", {u"x", u"x"}, "b", u"x", "C", "1"},
  };
  for (const auto& [args, input, typed, user, password, domain, automatic] : kCases) {
    SCOPED_TRACE(testing::PrintToString(args));
    EXPECT_EQ(Run(args, input, typed), 0);
    EXPECT_EQ(Stored(kDefaultUserNameValue), user);
    // Compared without printing: a password.
    EXPECT_TRUE(ReadCredential(kDefaultPasswordValue).text == password);
    EXPECT_EQ(Stored(kDefaultDomainNameValue), domain);
    EXPECT_EQ(Stored(kQuendaValue), automatic);
    EXPECT_EQ(console.input, input.substr(input.find('\n') + 1));
  }
}

// What is refused writes nothing and ends with the exit code and the message given: usage errors
// (the help on standard error), a name too long to be read back whole, a password line that is
// missing, holds a control character or is over-long, typed differently twice or interrupted.
TEST_F(Console, RefusalsWriteNothing) {
  const std::u16string tooLong = u"/user:" + std::u16string(1024, u'n');
  const Args enable = {u"/enable", u"/user:ann"};
  // Arguments, standard input, lines typed at a console, exit code, the end of standard error.
  const std::tuple<Args, std::string, Lines, int, std::u16string> kCases[] = {
      {{}, "", {}, 2, std::u16string(ConsoleUsage())},
      {{u"/enable"}, "pw\n", {}, 2, std::u16string(ConsoleUsage())},
      {{u"/enable", tooLong}, "pw\n", {}, 1, Line(TooLongMessage())},
      {enable, "", {}, 2, Line(NoPasswordLineMessage())},
      {enable, "pw\0\r\n"s, {}, 1, Line(PasswordControlCharacterMessage())},
      {enable, std::string(5000, 'x'), {}, 1, Line(PasswordTooLongMessage())},
      {enable, "", {u"p\x01", u"p\x01"}, 1, Line(PasswordControlCharacterMessage())},
      {enable, "", {u"pw"}, 2, Line(NoPasswordLineMessage())},
      {enable, "", {u"pw", u"pW"}, 1, Line(MismatchMessage())},
  };
  const auto before = memory::Snapshot();
  for (const auto& [args, input, typed, exitCode, error] : kCases) {
    SCOPED_TRACE(testing::PrintToString(args));
    EXPECT_EQ(Run(args, input, typed), exitCode);
    EXPECT_EQ(memory::Snapshot(), before);
    EXPECT_EQ(console.output, u"");
    EXPECT_TRUE(console.error.ends_with(error)) << testing::PrintToString(console.error);
  }
}

// /enable tries the credentials before it writes, with the domain given; /nocheck writes without
// trying.
TEST_F(Console, EnableTriesTheCredentialsUnlessNoCheck) {
  const auto before = memory::Snapshot();
  console.logonAnswer = LogonCheck::PasswordExpired;
  EXPECT_EQ(Run({u"/enable", u"/user:ann", u"/domain:CORP"}, "s3cret\r\n"), 1);
  EXPECT_EQ(console.error,
            u"Windows refuses this logon: the password has expired.\r\n"
            u"Nothing was written. /nocheck saves without trying the logon.\r\n");
  EXPECT_EQ(memory::Snapshot(), before);
  EXPECT_EQ(Run({u"/enable", u"/user:ann", u"/domain:CORP", u"/nocheck"}, "s3cret\r\n"), 0);
  EXPECT_EQ(console.logonsTried, Lines{u"CORP\\ann:s3cret"});  // tried once, by the first run
  EXPECT_EQ(console.error, u"");
  EXPECT_EQ(Stored(kDefaultPasswordValue), "s3cret");
}

// /disable writes what OK writes with "Starting Auto Logon" cleared: the password and the Run
// entry go, the names are written back as stored.
TEST_F(Console, DisableTurnsOffAndKeepsTheNames) {
  EXPECT_EQ(Run({u"/disable"}), 0);
  EXPECT_EQ(Stored(kAutoAdminLogonValue), "0");
  EXPECT_EQ(Stored(kDefaultPasswordValue), std::nullopt);
  EXPECT_EQ(Stored(kQuendaValue, kRunKey), std::nullopt);
  EXPECT_EQ(Stored(kDefaultUserNameValue), "alice");
  EXPECT_EQ(Stored(kQuendaValue), "0");
  EXPECT_EQ(console.output + console.error, u"");
  // Turning off only deletes from the Run key: a missing Run key stays missing.
  memory::Reset();
  Put(kWinlogonKey, kAutoAdminLogonValue, "1");
  EXPECT_EQ(Run({u"/disable"}), 0);
  EXPECT_EQ(memory::Snapshot().size(), 2u);  // AutoAdminLogon and the flag, nothing under Run
  registry::Key run = 0;
  EXPECT_EQ(registry::OpenKey(kLocalMachine, ToAnsi(kRunKey), 0, registry::kReadAccess, &run),
            registry::kFileNotFound);
}

// Values that read as empty (another type, too long) or that may not be read stay exactly as they
// are stored, type included, through /disable and through /enable without /domain:.
TEST_F(Console, ValuesThatCannotBeShownSurviveEnableAndDisable) {
  const memory::StoredValue expandable{registry::kTypeExpandSz, "%USER%\0"s};
  const memory::StoredValue longDomain{registry::kTypeSz, std::string(2000, 'd') + '\0'};
  for (const Args& args : {Args{u"/disable"}, Args{u"/enable", u"/user:bob"}}) {
    memory::PutValue(kLocalMachine, kWinlogonKey, kDefaultUserNameValue, expandable.type,
                     expandable.data);
    memory::PutValue(kLocalMachine, kWinlogonKey, kDefaultDomainNameValue, longDomain.type,
                     longDomain.data);
    EXPECT_EQ(Run(args, "pw\n"), 0);
    EXPECT_EQ(memory::FindValue(kLocalMachine, kWinlogonKey, kDefaultDomainNameValue), longDomain);
    const auto user =
        args.size() == 1 ? expandable : memory::StoredValue{registry::kTypeSz, "bob\0"s};
    EXPECT_EQ(memory::FindValue(kLocalMachine, kWinlogonKey, kDefaultUserNameValue), user);
  }
}

// A failed write: the dialog's message on standard error, exit code 1, the writes before it kept.
TEST_F(Console, AFailedWriteEndsWithExitCodeOne) {
  memory::FailCall(memory::Operation::Set, 2, registry::kAccessDenied);
  EXPECT_EQ(Run({u"/disable"}), 1);
  EXPECT_EQ(console.error, Line(FailureMessage()));
  EXPECT_EQ(Stored(kAutoAdminLogonValue), "0");
  EXPECT_EQ(Stored(kDefaultPasswordValue), "pw");
}

// The package's removal deletes the Run entry only when it starts a program directly inside this
// program's folder (by its long or short name, quoted or not, in any case).
TEST_F(Console, UninstallCleanupRemovesOnlyARunEntryOfThisFolder) {
  const std::pair<const char*, bool> kRemoved[] = {
      {"C:\\Program Files\\Quenda\\Quenda.exe", true},
      {"\"c:\\program files\\quenda\\quenda.exe\"", true},
      {"C:\\PROGRA~1\\Quenda\\Quenda.exe", true},
      {"C:\\Program Files\\Quenda\\sub\\Quenda.exe", false},
      {"C:\\Program Files\\QuendaOld\\Quenda.exe", false},
      {"D:\\Program Files\\Quenda\\Quenda.exe", false},
      {"C:\\Program Files\\Quenda\\", false},
  };
  console.executableDirectory = u"C:\\Program Files\\Quenda";
  console.shortPaths[u"C:\\Program Files\\Quenda"] = u"C:\\PROGRA~1\\Quenda";
  for (const auto& [runEntry, removed] : kRemoved) {
    SCOPED_TRACE(runEntry);
    Put(kRunKey, kQuendaValue, runEntry);
    EXPECT_EQ(Run({u"/uninstall-cleanup"}), 0);
    EXPECT_EQ(console.output + console.error, u"");
    EXPECT_EQ(Stored(kQuendaValue, kRunKey).has_value(), !removed);
  }
  Put(kRunKey, kQuendaValue, kRemoved[0].first);
  memory::FailCall(memory::Operation::Delete, memory::CallCount(memory::Operation::Delete) + 1,
                   registry::kAccessDenied);
  EXPECT_EQ(Run({u"/uninstall-cleanup"}), 1);
}

}  // namespace
}  // namespace quenda
