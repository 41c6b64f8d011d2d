// The console companion's logic against the substitute registry: its command line, the settings
// each command writes, the status report and the password line.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ansi_text.h"
#include "command_line.h"
#include "console_commands.h"
#include "locations.h"
#include "password_line.h"
#include "registry_memory.h"
#include "texts.h"

namespace quenda {
namespace {

namespace memory = registry::memory;
using registry::kLocalMachine;
using Args = std::vector<std::u16string_view>;

ConsoleCommand Command(ConsoleAction action, std::u16string user = {},
                       std::optional<std::u16string> domain = {}, bool automatic = false) {
  return {action, std::move(user), std::move(domain), automatic};
}

TEST(ConsoleCommandLine, ParsesOneActionWithItsOptionsAndRejectsEverythingElse) {
  using enum ConsoleAction;
  const std::optional<ConsoleCommand> kUsage;
  const struct {
    Args args;
    std::optional<ConsoleCommand> parsed;
  } kCases[] = {
      {{u"/?"}, Command(Help)},
      {{u"-STATUS"}, Command(Status)},
      {{u"/Disable"}, Command(Disable)},
      {{u"/uninstall-cleanup"}, Command(UninstallCleanup)},
      {{u"/enable", u"/user:Ann Lee"}, Command(Enable, u"Ann Lee")},
      {{u"/Automatic", u"-DOMAIN:Corp", u"/USER:a:b", u"-enable"},
       Command(Enable, u"a:b", u"Corp", true)},
      {{}, kUsage},
      {{u"status"}, kUsage},
      {{u"/"}, kUsage},
      {{u"/stat"}, kUsage},
      {{u"/status", u"/status"}, kUsage},
      {{u"/status", u"/disable"}, kUsage},
      {{u"/status:on"}, kUsage},
      {{u"/enable"}, kUsage},
      {{u"/enable", u"/user"}, kUsage},
      {{u"/enable", u"/user:"}, kUsage},
      {{u"/enable", u"/user:a", u"/domain:"}, kUsage},
      {{u"/enable", u"/user:a", u"/user:b"}, kUsage},
      {{u"/disable", u"/user:a"}, kUsage},
      {{u"/status", u"/automatic"}, kUsage},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ParseCommandLine(c.args), c.parsed) << "case " << (&c - kCases);
  }
}

// The values Quenda manages: the Winlogon ones by name, its Run entry as "Run". A value stored
// with characters the code page cannot hold reads "kept:" and its '?' text.
using Values = std::map<std::u16string, std::u16string>;
constexpr std::u16string_view kNames[] = {u"AutoAdminLogon", u"DefaultUserName", u"DefaultPassword",
                                          u"DefaultDomainName", u"Quenda"};

Values Stored() {
  Values values;
  const auto read = [&values](std::u16string_view path, std::u16string_view name, auto key) {
    if (const auto value = memory::FindValue(kLocalMachine, path, name)) {
      const std::string text = value->data.substr(0, value->data.find('\0'));
      values[key] = (value->unrepresentable ? u"kept:" : u"") + FromAnsi(text);
    }
  };
  for (std::u16string_view name : kNames)
    read(kWinlogonKey, name, std::u16string(name));
  read(kRunKey, kQuendaValue, u"Run");
  return values;
}

void Store(const Values& values) {
  for (const auto& [name, text] : values) {
    const bool run = name == u"Run";
    memory::PutText(kLocalMachine, run ? kRunKey : kWinlogonKey, run ? kQuendaValue : name, text);
  }
}

// Compares without printing a password: its text shows only as whether it matches.
void ExpectStored(Values expected) {
  Values actual = Stored();
  EXPECT_TRUE(actual[u"DefaultPassword"] == expected[u"DefaultPassword"]) << "password differs";
  actual.erase(u"DefaultPassword");
  expected.erase(u"DefaultPassword");
  EXPECT_EQ(actual, expected);
}

struct Ended {
  int exitCode;
};

class FakeConsole final : public ConsoleServices {
 public:
  std::string input;                  // standard input, unless lines are typed at a console
  std::vector<std::u16string> typed;  // lines typed at a console, in order
  std::u16string output, error;

  [[noreturn]] void EndProcess(int exitCode) override { throw Ended{exitCode}; }
  std::u16string ExecutableDirectory() override { return u"C:\\Program Files\\Quenda"; }
  std::u16string ShortPath(std::u16string_view) override { return u"C:\\PROGRA~1\\Quenda"; }
  void WriteOutput(std::u16string_view text) override { output += text; }
  void WriteError(std::u16string_view text) override { error += text; }
  bool InputIsConsole() override { return !typed.empty(); }
  std::u16string ReadHiddenLine(std::u16string_view prompt) override {
    error += prompt;
    std::u16string line = typed.front();
    typed.erase(typed.begin());
    return line;
  }
  std::string ReadInputLine() override { return input; }

  int Run(const Args& args) {
    try {
      return RunConsole(args, *this);
    } catch (const Ended& ended) {
      return ended.exitCode;
    }
  }
};

class Console : public testing::Test {
 protected:
  void SetUp() override {
    memory::Reset();
    IsChinese = false;
  }
};

// Automatic logon on, and off as /disable leaves it.
const Values kOn = {{u"AutoAdminLogon", u"1"},
                    {u"DefaultUserName", u"olduser"},
                    {u"DefaultPassword", u"oldpw"},
                    {u"DefaultDomainName", u"OLDDOM"},
                    {u"Quenda", u"1"},
                    {u"Run", u"C:\\Old\\Quenda.exe"}};
const Values kOff = {{u"AutoAdminLogon", u"0"},
                     {u"DefaultUserName", u"olduser"},
                     {u"DefaultDomainName", u"OLDDOM"},
                     {u"Quenda", u"0"}};
const std::u16string kRunHere = u"\"C:\\Program Files\\Quenda\\Quenda.exe\"";

// `values` with `changes` made; an empty text deletes the value.
Values With(Values values, const Values& changes) {
  for (const auto& [name, text] : changes) {
    if (text.empty())
      values.erase(name);
    else
      values[name] = text;
  }
  return values;
}

TEST_F(Console, EachCommandWritesWhatTheDialogsOkWouldOrNothing) {
  const Values kOdd = {{u"DefaultUserName", u"用戶"}, {u"DefaultDomainName", u"網域"}};
  const Values kDisabled = {
      {u"AutoAdminLogon", u"0"}, {u"DefaultPassword", u""}, {u"Quenda", u"0"}, {u"Run", u""}};
  const std::u16string kPrompts = u"Password: re-Password: ";
  const auto line = [](std::u16string_view text) { return std::u16string(text) + u"\r\n"; };
  const struct {
    const char* name;
    Args args;
    Values before;
    std::string input;                  // standard input
    std::vector<std::u16string> typed;  // or lines typed at a console
    Values changes;                     // what the run changes
    int exitCode = 0;
    std::u16string error{};
  } kCases[] = {
      // clang-format off
      {"enable, everything given, the first input line", {u"/enable", u"/user:ann", u"/domain:CO", u"/automatic"},
       kOff, "s3cret\r\nnext\r\n", {},
       {{u"AutoAdminLogon", u"1"}, {u"DefaultUserName", u"ann"}, {u"DefaultPassword", u"s3cret"},
        {u"DefaultDomainName", u"CO"}, {u"Quenda", u"1"}, {u"Run", kRunHere}}},
      {"enable keeps the stored domain; an empty line deletes the password", {u"/enable", u"/user:bo"},
       kOn, "\n", {}, {{u"DefaultUserName", u"bo"}, {u"DefaultPassword", u""}, {u"Quenda", u"0"}, {u"Run", kRunHere}}},
      {"enable keeps a stored domain the code page cannot hold", {u"/enable", u"/user:bo"},
       With(kOn, kOdd), "pw", {},
       {{u"DefaultUserName", u"bo"}, {u"DefaultPassword", u"pw"}, {u"Quenda", u"0"}, {u"Run", kRunHere}}},
      {"enable at a console: typed twice, standard input unread", {u"/enable", u"/user:cy"},
       kOff, "unread", {u"typed", u"typed"},
       {{u"AutoAdminLogon", u"1"}, {u"DefaultUserName", u"cy"}, {u"DefaultPassword", u"typed"}, {u"Run", kRunHere}},
       0, kPrompts},
      {"enable at a console: typed differently", {u"/enable", u"/user:cy"}, kOn, "", {u"a", u"b"}, {},
       1, kPrompts + line(MismatchMessage())},
      {"enable with a name the code page cannot hold", {u"/enable", u"/user:用戶"}, kOn, "pw", {}, {},
       1, line(UnrepresentableMessage())},
      {"disable writes the names as stored", {u"/disable"}, kOn, "", {}, kDisabled},
      {"disable leaves names the code page cannot hold", {u"/disable"}, With(kOn, kOdd), "", {}, kDisabled},
      {"a usage error", {u"/enable"}, kOn, "pw", {}, {}, 2, std::u16string(ConsoleUsage())},
      {"cleanup: this folder's entry", {u"/uninstall-cleanup"}, With(kOn, {{u"Run", kRunHere}}), "", {}, {{u"Run", u""}}},
      {"cleanup: short, unquoted, another case", {u"/uninstall-cleanup"},
       With(kOn, {{u"Run", u"c:\\progra~1\\quenda\\quenda.exe"}}), "", {}, {{u"Run", u""}}},
      {"cleanup: a folder with the same beginning", {u"/uninstall-cleanup"},
       With(kOn, {{u"Run", u"C:\\Program Files\\Quenda2\\Quenda.exe"}}), "", {}, {}},
      {"cleanup: a folder below", {u"/uninstall-cleanup"},
       With(kOn, {{u"Run", u"C:\\Program Files\\Quenda\\old\\Quenda.exe"}}), "", {}, {}},
      // clang-format on
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    memory::Reset();
    Store(c.before);
    const Values before = Stored();
    FakeConsole console;
    console.input = c.input;
    console.typed = c.typed;
    EXPECT_EQ(console.Run(c.args), c.exitCode);
    ExpectStored(With(before, c.changes));
    EXPECT_EQ(console.output, u"");
    EXPECT_EQ(console.error, c.error);
  }
}

TEST_F(Console, AFailedWriteShowsTheDialogsMessageAndNothingAfterIt) {
  Store(kOn);
  memory::FailCall(memory::Operation::Create, 1, registry::kAccessDenied);
  FakeConsole console;
  console.input = "pw";
  EXPECT_EQ(console.Run({u"/enable", u"/user:ann"}), 1);
  ExpectStored(kOn);
  EXPECT_EQ(console.error, u"Cannot operate Auto Logon!\r\nMaybe the user not administrators.\r\n");
  EXPECT_EQ(console.output, u"");
}

TEST_F(Console, StatusAndHelpGoToStandardOutputInTheLocalesLanguage) {
  const struct {
    Args args;
    const char16_t* locale;
    Values stored;
    std::u16string_view output;
  } kCases[] = {
      {{u"/status"},
       u"00000409",
       {},
       u"Machine name: PC-7\r\nAutomatic logon: off\r\nUser name:\r\nDomain name:\r\n"
       u"Password stored: no\r\nAutomatically: off\r\nRun entry:\r\n"},
      // Only an exact "1" is on: the flag " 1" is off.
      {{u"/STATUS"},
       u"00000404",
       With(kOn, {{u"Quenda", u" 1"}}),
       u"電腦名稱: PC-7\r\n自動登入: 開啟\r\n使用者名稱: olduser\r\n網域名稱: OLDDOM\r\n"
       u"已儲存密碼: 是\r\n程式自動操作: 關閉\r\n登入時執行: C:\\Old\\Quenda.exe\r\n"},
      {{u"-?"}, u"00000409", {}, u"Quenda "},
  };
  for (const auto& c : kCases) {
    memory::Reset();
    Store(c.stored);
    memory::PutText(kLocalMachine, kComputerNameKey, kComputerNameValue, u"PC-7");
    memory::PutText(registry::kCurrentUser, kInternationalKey, kLocaleValue, c.locale);
    FakeConsole console;
    EXPECT_EQ(console.Run(c.args), 0);
    EXPECT_EQ(console.output.substr(0, c.output.size()), c.output);
    EXPECT_EQ(console.error, u"");
  }
}

TEST(PasswordLine, FirstLineOfInputAsUtf8OrTheAnsiCodePage) {
  const struct {
    std::string input;
    std::u16string password;
  } kCases[] = {
      {"pw\r\nnext", u"pw"},
      {"pw\n", u"pw"},
      {"p w", u"p w"},
      {"\r\n", u""},
      {"\xEF\xBB\xBFp\xC3\xA4ss\r\n", u"päss"},  // UTF-8 with a byte-order mark
      {"\xF0\x9F\x94\x91", u"\U0001F511"},       // beyond the Basic Multilingual Plane
      {"p\xE4ss", u"päss"},                      // windows-1252
      {"\xC3\xA4\xC3", u"Ã¤Ã"},                  // truncated UTF-8
      {"\xBF\xBF", u"¿¿"},                       // continuation bytes without a lead
      {"\xE0\x80\xAF", u"à€¯"},                  // overlong
      {"\xED\xA0\x80", u"í\u00A0€"},             // an encoded surrogate
  };
  for (const auto& c : kCases) {
    EXPECT_TRUE(PasswordFromInput(c.input) == c.password) << "case " << (&c - kCases);
  }
  EXPECT_EQ(FirstLine(u"typed\r\n"), u"typed");
}

}  // namespace
}  // namespace quenda
