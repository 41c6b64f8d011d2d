// The console companion's logic against the substitute registry: its command line, what each
// command writes, the status report and the password line.
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

TEST(ConsoleCommandLine, ParsesOneActionWithItsOptionsAndRejectsEverythingElse) {
  using enum ConsoleAction;
  const struct {
    Args args;
    ConsoleCommand parsed;
  } kValid[] = {
      {{u"/?"}, {Help, u"", std::nullopt, false}},
      {{u"-STATUS"}, {Status, u"", std::nullopt, false}},
      {{u"/uninstall-cleanup"}, {UninstallCleanup, u"", std::nullopt, false}},
      {{u"/enable", u"/user:Ann Lee"}, {Enable, u"Ann Lee", std::nullopt, false}},
      {{u"/Automatic", u"-DOMAIN:Corp", u"/USER:a:b", u"-enable"}, {Enable, u"a:b", u"Corp", true}},
  };
  for (const auto& c : kValid)
    EXPECT_EQ(ParseCommandLine(c.args), c.parsed) << "case " << (&c - kValid);
  // clang-format off
  const Args kUsageErrors[] = {
      {}, {u"status"}, {u"/"}, {u"/stat"}, {u"/status", u"/status"}, {u"/status", u"/disable"},
      {u"/status:on"}, {u"/enable"}, {u"/enable", u"/user"}, {u"/enable", u"/user:"},
      {u"/enable", u"/user:a", u"/domain:"}, {u"/enable", u"/user:a", u"/user:b"},
      {u"/disable", u"/user:a"}, {u"/status", u"/automatic"}};
  // clang-format on
  for (const Args& args : kUsageErrors)
    EXPECT_EQ(ParseCommandLine(args), std::nullopt) << "case " << (&args - kUsageErrors);
}

// The values Quenda manages: the Winlogon ones by name, its Run entry as "Run". One stored with
// characters the code page cannot hold reads as "kept:" and its '?' text.
using Values = std::map<std::u16string, std::u16string>;

// The key and the value name of `name` (which must outlive them).
std::pair<std::u16string_view, std::u16string_view> Where(const std::u16string& name) {
  if (name == u"Run")
    return {kRunKey, kQuendaValue};
  return {kWinlogonKey, name};
}

Values Stored() {
  Values values;
  for (std::u16string name : {u"AutoAdminLogon", u"DefaultUserName", u"DefaultPassword",
                              u"DefaultDomainName", u"Quenda", u"Run"}) {
    const auto [path, value] = Where(name);
    if (const auto stored = memory::FindValue(kLocalMachine, path, value)) {
      const std::string text = stored->data.substr(0, stored->data.find('\0'));
      values[name] = (stored->unrepresentable ? u"kept:" : u"") + FromAnsi(text);
    }
  }
  return values;
}

// Compares without printing a password: its text shows only as whether it matches.
void ExpectStored(Values expected) {
  Values actual = Stored();
  EXPECT_TRUE(actual[u"DefaultPassword"] == expected[u"DefaultPassword"]) << "password differs";
  actual.erase(u"DefaultPassword");
  expected.erase(u"DefaultPassword");
  EXPECT_EQ(actual, expected);
}

// A registry that holds `stored`, the machine's name and the user's locale, and nothing else.
void Prepare(const Values& stored, std::u16string_view locale = u"00000409") {
  memory::Reset();
  IsChinese = false;
  for (const auto& [name, text] : stored) {
    const auto [path, value] = Where(name);
    memory::PutText(kLocalMachine, path, value, text);
  }
  memory::PutText(kLocalMachine, kComputerNameKey, kComputerNameValue, u"PC-7");
  memory::PutText(registry::kCurrentUser, kInternationalKey, kLocaleValue, locale);
}

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

// clang-format off
// Automatic logon on, and off as /disable leaves it.
const Values kOn = {{u"AutoAdminLogon", u"1"}, {u"DefaultUserName", u"olduser"},
                    {u"DefaultPassword", u"oldpw"}, {u"DefaultDomainName", u"OLDDOM"},
                    {u"Quenda", u"1"}, {u"Run", u"C:\\Old\\Quenda.exe"}};
const Values kOff = {{u"AutoAdminLogon", u"0"}, {u"DefaultUserName", u"olduser"},
                     {u"DefaultDomainName", u"OLDDOM"}, {u"Quenda", u"0"}};
// clang-format on

TEST(ConsoleCommands, WriteWhatTheDialogsOkWouldOrNothing) {
  const Values kOdd = {{u"DefaultUserName", u"用戶"}, {u"DefaultDomainName", u"網域"}};
  const Values kDisabled = {
      {u"AutoAdminLogon", u"0"}, {u"DefaultPassword", u""}, {u"Quenda", u"0"}, {u"Run", u""}};
  const std::u16string kHere = u"\"C:\\Program Files\\Quenda\\Quenda.exe\"";
  const std::u16string kPrompts = u"Password: re-Password: ";
  const std::u16string kCleanup = u"/uninstall-cleanup";
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
      {"enable, everything given, the first input line",
       {u"/enable", u"/user:ann", u"/domain:CO", u"/automatic"}, kOff, "s3cret\r\nnext\r\n", {},
       {{u"AutoAdminLogon", u"1"}, {u"DefaultUserName", u"ann"}, {u"DefaultPassword", u"s3cret"},
        {u"DefaultDomainName", u"CO"}, {u"Quenda", u"1"}, {u"Run", kHere}}},
      {"enable keeps the stored domain; an empty line deletes the password",
       {u"/enable", u"/user:bo"}, kOn, "\n", {},
       {{u"DefaultUserName", u"bo"}, {u"DefaultPassword", u""}, {u"Quenda", u"0"},
        {u"Run", kHere}}},
      {"enable keeps a stored domain the code page cannot hold",
       {u"/enable", u"/user:bo"}, With(kOn, kOdd), "pw", {},
       {{u"DefaultUserName", u"bo"}, {u"DefaultPassword", u"pw"}, {u"Quenda", u"0"},
        {u"Run", kHere}}},
      {"enable at a console: typed twice, standard input unread",
       {u"/enable", u"/user:cy"}, kOff, "unread", {u"typed", u"typed"},
       {{u"AutoAdminLogon", u"1"}, {u"DefaultUserName", u"cy"}, {u"DefaultPassword", u"typed"},
        {u"Run", kHere}}, 0, kPrompts},
      {"enable at a console: typed differently", {u"/enable", u"/user:cy"}, kOn, "", {u"a", u"b"},
       {}, 1, kPrompts + line(MismatchMessage())},
      {"enable with a name the code page cannot hold", {u"/enable", u"/user:用戶"}, kOn, "pw", {},
       {}, 1, line(UnrepresentableMessage())},
      {"disable writes the names as stored", {u"/disable"}, kOn, "", {}, kDisabled},
      {"disable leaves names the code page cannot hold", {u"/disable"}, With(kOn, kOdd), "", {},
       kDisabled},
      {"cleanup: this folder's entry", {kCleanup}, With(kOn, {{u"Run", kHere}}), "", {},
       {{u"Run", u""}}},
      {"cleanup: short, unquoted, another case", {kCleanup},
       With(kOn, {{u"Run", u"c:\\progra~1\\quenda\\quenda.exe"}}), "", {}, {{u"Run", u""}}},
      {"cleanup: a folder with the same beginning", {kCleanup},
       With(kOn, {{u"Run", u"C:\\Program Files\\Quenda2\\Quenda.exe"}}), "", {}, {}},
      {"cleanup: a folder below", {kCleanup},
       With(kOn, {{u"Run", u"C:\\Program Files\\Quenda\\old\\Quenda.exe"}}), "", {}, {}},
      // clang-format on
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    FakeConsole console;
    console.input = c.input;
    console.typed = c.typed;
    Prepare(c.before);
    const Values before = Stored();
    EXPECT_EQ(console.Run(c.args), c.exitCode);
    ExpectStored(With(before, c.changes));
    EXPECT_EQ(console.output, u"");
    EXPECT_EQ(console.error, c.error);
  }
}

TEST(ConsoleCommands, StatusIsInTheLocalesLanguageAndNeverShowsThePassword) {
  // Only an exact "1" is on: the flag " 1" is off.
  Prepare(With(kOn, {{u"Quenda", u" 1"}}), u"00000404");
  FakeConsole console;
  EXPECT_EQ(console.Run({u"/STATUS"}), 0);
  EXPECT_EQ(console.output,
            u"電腦名稱: PC-7\r\n自動登入: 開啟\r\n使用者名稱: olduser\r\n網域名稱: OLDDOM\r\n"
            u"已儲存密碼: 是\r\n程式自動操作: 關閉\r\n登入時執行: C:\\Old\\Quenda.exe\r\n");
  EXPECT_EQ(console.error, u"");
}

TEST(PasswordLine, IsTheFirstLineOfInputAsUtf8OrInTheAnsiCodePage) {
  const struct {
    std::string input;
    std::u16string password;
  } kCases[] = {
      {"pw\r\nnext", u"pw"},
      {"p w\n", u"p w"},
      {"\r\n", u""},
      {"\xEF\xBB\xBFp\xC3\xA4ss\r\n", u"päss"},  // UTF-8 with a byte-order mark
      {"\xF0\x9F\x94\x91", u"\U0001F511"},       // beyond the Basic Multilingual Plane
      {"p\xE4ss", u"päss"},                      // windows-1252
      {"\xC3\xA4\xC3", u"Ã¤Ã"},                  // truncated UTF-8
      {"\xBF\xBF", u"¿¿"},                       // continuation bytes without a lead
      {"\xE0\x80\xAF", u"à€¯"},                  // overlong
      {"\xED\xA0\x80", u"í\u00A0€"},             // an encoded surrogate
  };
  for (const auto& c : kCases)
    EXPECT_TRUE(PasswordFromInput(c.input) == c.password) << "case " << (&c - kCases);
  EXPECT_EQ(FirstLine(u"typed\r\n"), u"typed");
}

}  // namespace
}  // namespace quenda
