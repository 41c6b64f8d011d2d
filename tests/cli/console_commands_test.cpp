// The console companion's commands on the host: each command run over the substitute registry with
// a headless console, checked by what it printed, what it left in the registry and its exit code.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ansi_text_iconv.h"
#include "console_commands.h"
#include "locations.h"
#include "registry_memory.h"
#include "services_headless.h"
#include "texts.h"

namespace quenda {
namespace {

namespace memory = registry::memory;
using Args = std::vector<std::u16string_view>;
using registry::kLocalMachine;

// A store as a configured machine holds it: "PC", alice / pw / HOME, the automatic logon on with
// the program's flag and Run entry.
class Console : public ::testing::Test {
 protected:
  void SetUp() override {
    memory::Reset();
    SetAnsiCodePage("WINDOWS-1252");
    IsChinese = false;
    Put(kComputerNameKey, kComputerNameValue, "PC");
    Put(kWinlogonKey, kAutoAdminLogonValue, "1");
    Put(kWinlogonKey, kDefaultUserNameValue, "alice");
    Put(kWinlogonKey, kDefaultPasswordValue, "pw");
    Put(kWinlogonKey, kDefaultDomainNameValue, "HOME");
    Put(kWinlogonKey, kQuendaValue, "1");
    Put(kRunKey, kQuendaValue, "C:\\Tools\\Quenda.exe");
  }

  static void Put(std::u16string_view path, std::u16string_view name, std::string text) {
    memory::PutValue(kLocalMachine, path, name, registry::kTypeSz, text + '\0');
  }
  // The text a value holds, without the NUL Windows stores after it; nullopt when it is missing.
  static std::optional<std::string> Stored(std::u16string_view path, std::u16string_view name) {
    const auto value = memory::FindValue(kLocalMachine, path, name);
    if (!value)
      return std::nullopt;
    return value->data.substr(0, value->data.find('\0'));
  }

  // Runs quenda.com with `args`; a process ended by a failed write gives its exit code.
  int Run(Args args) {
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
            u"Machine name: PC\r\n"
            u"Automatic logon: on\r\n"
            u"User name: alice\r\n"
            u"Domain name: HOME\r\n"
            u"Password stored: registry\r\n"
            u"Automatically: on\r\n"
            u"Run entry: C:\\Tools\\Quenda.exe\r\n");
  EXPECT_EQ(console.output.find(u"pw\r"), std::u16string::npos);
}

TEST_F(Console, StatusInChineseFollowsTheLocale) {
  memory::PutValue(registry::kCurrentUser, kInternationalKey, kLocaleValue, registry::kTypeSz,
                   std::string("00000404", 9));
  memory::PutValue(kLocalMachine, kWinlogonKey, kDefaultPasswordValue, registry::kTypeSz, "");
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
  EXPECT_EQ(console.error, std::u16string(UnreadableMessage()) + u"\r\n");
}

// /enable writes what OK writes with "Starting Auto Logon" ticked; without /domain: the stored
// domain stays, and without /automatic the flag is cleared.
TEST_F(Console, EnableWritesTheGivenUserAndThePasswordLine) {
  console.input = "s3cret\r\nnext line\r\n";
  EXPECT_EQ(Run({u"/enable", u"/user:bob"}), 0);
  EXPECT_EQ(Stored(kWinlogonKey, kDefaultUserNameValue), "bob");
  EXPECT_EQ(Stored(kWinlogonKey, kDefaultPasswordValue), "s3cret");
  EXPECT_EQ(Stored(kWinlogonKey, kDefaultDomainNameValue), "HOME");
  EXPECT_EQ(Stored(kWinlogonKey, kQuendaValue), "0");
  EXPECT_EQ(console.input, "next line\r\n");  // nothing after the first line is taken
}

TEST_F(Console, EnableAtAConsoleAsksTwiceAndRefusesAMismatch) {
  console.inputIsConsole = true;
  console.typedLines = {u"one", u"two"};
  EXPECT_EQ(Run({u"/enable", u"/user:bob", u"/domain:CORP", u"/automatic"}), 1);
  EXPECT_EQ(Stored(kWinlogonKey, kDefaultUserNameValue), "alice");
  EXPECT_NE(console.error.find(MismatchMessage()), std::u16string::npos);

  console.typedLines = {u"same", u"same"};
  EXPECT_EQ(Run({u"/enable", u"/user:bob", u"/domain:CORP", u"/automatic"}), 0);
  EXPECT_EQ(Stored(kWinlogonKey, kDefaultPasswordValue), "same");
  EXPECT_EQ(Stored(kWinlogonKey, kDefaultDomainNameValue), "CORP");
  EXPECT_EQ(Stored(kWinlogonKey, kQuendaValue), "1");
}

// /disable writes what OK writes with "Starting Auto Logon" cleared: the password and the Run
// entry go, the names are written back as stored.
TEST_F(Console, DisableTurnsOffAndKeepsTheNames) {
  EXPECT_EQ(Run({u"/disable"}), 0);
  EXPECT_EQ(Stored(kWinlogonKey, kAutoAdminLogonValue), "0");
  EXPECT_EQ(Stored(kWinlogonKey, kDefaultPasswordValue), std::nullopt);
  EXPECT_EQ(Stored(kRunKey, kQuendaValue), std::nullopt);
  EXPECT_EQ(Stored(kWinlogonKey, kDefaultUserNameValue), "alice");
  EXPECT_EQ(Stored(kWinlogonKey, kQuendaValue), "0");
  EXPECT_EQ(console.output + console.error, u"");
}

// Values that read as empty (another type, too long) or that may not be read stay exactly as they
// are stored, type included, through /disable and through /enable without /domain:.
TEST_F(Console, ValuesThatCannotBeShownSurviveEnableAndDisable) {
  const memory::StoredValue expandable{registry::kTypeExpandSz, std::string("%USER%\0", 7)};
  const memory::StoredValue longDomain{registry::kTypeSz, std::string(2000, 'd') + '\0'};
  for (const char* command : {"/disable", "/enable"}) {
    SCOPED_TRACE(command);
    memory::PutValue(kLocalMachine, kWinlogonKey, kDefaultUserNameValue, expandable.type,
                     expandable.data);
    memory::PutValue(kLocalMachine, kWinlogonKey, kDefaultDomainNameValue, longDomain.type,
                     longDomain.data);
    console.input = "pw\n";
    const bool enable = command == std::string_view("/enable");
    EXPECT_EQ(Run(enable ? Args{u"/enable", u"/user:bob"} : Args{u"/disable"}), 0);
    EXPECT_EQ(memory::FindValue(kLocalMachine, kWinlogonKey, kDefaultDomainNameValue), longDomain);
    if (!enable) {
      EXPECT_EQ(memory::FindValue(kLocalMachine, kWinlogonKey, kDefaultUserNameValue), expandable);
    }
  }
}

// A given text that would not read back whole is refused before anything is written: 1023
// characters and the NUL the registry keeps fill the 1024 bytes GetValue reads.
TEST_F(Console, EnableRefusesANameTooLongToBeReadBack) {
  const auto before = memory::Snapshot();
  const std::u16string tooLong(1024, u'n');
  console.input = "pw\n";
  EXPECT_EQ(Run({u"/enable", u"/user:" + tooLong}), 1);
  EXPECT_EQ(memory::Snapshot(), before);
  EXPECT_NE(console.error.find(TooLongMessage()), std::u16string::npos);

  const std::u16string longest(1023, u'n');
  console.input = "pw\n";
  EXPECT_EQ(Run({u"/enable", u"/user:" + longest}), 0);
  EXPECT_EQ(ReadCredential(kDefaultUserNameValue).text, longest);
}

// Turning off only deletes from the Run key: a missing Run key stays missing.
TEST_F(Console, DisableCreatesNoRunKey) {
  memory::Reset();
  Put(kWinlogonKey, kAutoAdminLogonValue, "1");
  EXPECT_EQ(Run({u"/disable"}), 0);
  EXPECT_EQ(memory::Snapshot().size(), 2u);  // AutoAdminLogon and the flag, nothing under Run
  EXPECT_EQ(Stored(kWinlogonKey, kAutoAdminLogonValue), "0");
}

// A failed write: the dialog's message on standard error, exit code 1, the writes before it kept.
TEST_F(Console, AFailedWriteEndsWithExitCodeOne) {
  memory::FailCall(memory::Operation::Set, 2, registry::kAccessDenied);
  EXPECT_EQ(Run({u"/disable"}), 1);
  EXPECT_EQ(console.error, std::u16string(FailureMessage()) + u"\r\n");
  EXPECT_EQ(Stored(kWinlogonKey, kAutoAdminLogonValue), "0");
  EXPECT_EQ(Stored(kWinlogonKey, kDefaultPasswordValue), "pw");
}

TEST_F(Console, UsageErrorsPrintTheHelpAndWriteNothing) {
  const auto before = memory::Snapshot();
  EXPECT_EQ(Run({u"/enable"}), 2);
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(memory::Snapshot(), before);
  EXPECT_EQ(console.output, u"");
  EXPECT_EQ(console.error, std::u16string(ConsoleUsage()) + std::u16string(ConsoleUsage()));
  EXPECT_EQ(Run({u"/?"}), 0);
  EXPECT_EQ(console.output, ConsoleUsage());
}

// The package's removal deletes the Run entry only when it starts a program directly inside this
// program's folder (by its long or short name, quoted or not, in any case).
TEST_F(Console, UninstallCleanupRemovesOnlyARunEntryOfThisFolder) {
  struct Case {
    const char* runEntry;
    bool removed;
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
    SCOPED_TRACE(c.runEntry);
    Put(kRunKey, kQuendaValue, c.runEntry);
    EXPECT_EQ(Run({u"/uninstall-cleanup"}), 0);
    EXPECT_EQ(Stored(kRunKey, kQuendaValue).has_value(), !c.removed);
  }
  EXPECT_EQ(console.output + console.error, u"");
  Put(kRunKey, kQuendaValue, "C:\\Program Files\\Quenda\\Quenda.exe");
  memory::FailCall(memory::Operation::Delete, memory::CallCount(memory::Operation::Delete) + 1,
                   registry::kAccessDenied);
  EXPECT_EQ(Run({u"/uninstall-cleanup"}), 1);
}

}  // namespace
}  // namespace quenda
