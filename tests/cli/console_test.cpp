// The console companion's fine-grained rules on the host: how its command line parses, how the
// password line is read from standard input and what a refused one leaves, how /enable tries the
// credentials, how /status shows stored texts and how JSON text is escaped. What the commands do
// to the registry runs through cmd under Wine.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "command_line.h"
#include "locations.h"
#include "password_line.h"
#include "registry_memory.h"
#include "services_headless.h"
#include "status_json.h"
#include "status_report.h"
#include "stored_settings.h"
#include "texts.h"

namespace quenda {
namespace {

using Args = std::vector<std::u16string_view>;

TEST(ConsoleCommandLine, ParsesOneActionWithItsOptionsAndRejectsEverythingElse) {
  using enum ConsoleAction;
  // Names in any case after "/" or "-"; a value keeps its case and any further colon.
  const std::pair<Args, ConsoleCommand> kValid[] = {
      {{u"-STATUS"}, {.action = Status}},
      {{u"/uninstall-cleanup"}, {.action = UninstallCleanup}},
      {{u"/enable", u"/user:Ann Lee"}, {.action = Enable, .user = u"Ann Lee"}},
      {{u"/Automatic", u"-DOMAIN:Corp", u"/USER:a:b", u"-enable", u"/NoCheck"},
       {.action = Enable, .user = u"a:b", .domain = u"Corp", .automatic = true, .noCheck = true}},
      {{u"/enable", u"-Protect", u"/user:a"}, {.action = Enable, .user = u"a", .protect = true}},
      {{u"/Check"}, {.action = Check}},
      {{u"/json", u"/status"}, {.action = Status, .json = true}},
      {{u"/REAPPLY"}, {.action = Reapply}},
  };
  for (const auto& c : kValid)
    EXPECT_EQ(ParseCommandLine(c.first), c.second) << "case " << (&c - kValid);
  // clang-format off
  const Args kUsageErrors[] = {
      {}, {u"status"}, {u"/"}, {u"/stat"}, {u"/status", u"/status"}, {u"/status", u"/disable"},
      {u"/status:on"}, {u"/enable"}, {u"/enable", u"/user"}, {u"/enable", u"/user:"},
      {u"/enable", u"/user:a", u"/domain:"}, {u"/enable", u"/user:a", u"/USER:b"},
      {u"/enable", u"/user:a", u"-automatic", u"/automatic"}, {u"/disable", u"/user:a"},
      {u"/status", u"/automatic"}, {u"/enable", u"/user:a", u"/automatic:yes"}, {u"/json"},
      {u"/check", u"/json"}, {u"/status", u"/nocheck"}, {u"/enable", u"/user:a", u"/json"},
      {u"/check", u"/status"}, {u"/reapply", u"/protect"}, {u"/disable", u"/protect"},
      {u"/reapply", u"/status"}};
  // clang-format on
  for (const Args& args : kUsageErrors)
    EXPECT_EQ(ParseCommandLine(args), std::nullopt) << "case " << (&args - kUsageErrors);
}

TEST(ConsoleCommandLine, RefusesNamesWithControlCharacters) {
  // clang-format off
  const Args kRefused[] = {
      {u"/enable", u"/user:eve\r\nPassword stored: no"}, {u"/enable", u"/user:a\tb"},
      {u"/enable", u"/user:a", u"/domain:CORP\n"}, {u"/enable", u"/user:a", u"/domain:\x01"},
      {u"/enable", u"/user:a\x7F"}, {u"/enable", u"/user:a\u0085"}, {u"/enable", u"/user:\u009F"}};
  // clang-format on
  for (const Args& args : kRefused)
    EXPECT_EQ(ParseCommandLine(args), std::nullopt) << "case " << (&args - kRefused);
  const Args kAccepted = {u"/enable", u"/user:Zoë\u00A0Ng", u"/domain:Ω\\x"};
  ASSERT_NE(ParseCommandLine(kAccepted), std::nullopt);
  EXPECT_EQ(ParseCommandLine(kAccepted)->user, u"Zoë\u00A0Ng");
}

// The first line of standard input as the password: decoded by its byte-order mark, as UTF-8 or in
// the ANSI code page, refused rather than stored when it is not what was meant.
TEST(ConsolePasswordLine, DecodesTheFirstLineOrRefusesIt) {
  using enum PasswordRefusal;
  using namespace std::string_literals;
  struct Case {
    std::string input;
    std::u16string password;
    PasswordRefusal refusal = None;
  };
  const Case kCases[] = {
      {"pw\r\nnext\r\n", u"pw"},
      {"p w\n", u"p w"},
      {"pw", u"pw"},
      {"\r\n", u""},                             // an empty line: a blank password
      {"\xEF\xBB\xBFp\xC3\xA4ss\r\n", u"päss"},  // UTF-8 with a byte-order mark
      {"\xF0\x9F\x94\x91", u"\U0001F511"},       // UTF-8 beyond the Basic Multilingual Plane
      {"p\xE4ss\r\n", u"päss"},                  // windows-1252, the host's ANSI code page
      {"\xC3\xA4\xC3", u"Ã¤Ã"},                  // truncated UTF-8 reads as ANSI
      {"\xE0\x80\xAF", u"à€¯"},                  // overlong UTF-8 reads as ANSI
      // UTF-16 by its byte-order mark, as Windows PowerShell 5.1 writes files; a byte 0A inside a
      // code unit is no line end.
      {"\xFF\xFEp\0\xE4\0s\0\x0A\x01\r\0\n\0n\0"s, u"päsĊ"},
      {"\xFE\xFF\0p\0\xE4\x0A\x05\0\r\0\n"s, u"pä\u0A05"},
      {"\xFF\xFE\x3D\xD8\x11\xDD"s, u"\U0001F511"},
      {"\xFF\xFE\r\0\n\0"s, u""},
      // Refused
      {"", u"", NoLine},
      {"p\0w\r\n"s, u"", ControlCharacter},
      {"\0\r\n"s, u"", ControlCharacter},
      {"p\tw\n", u"", ControlCharacter},
      {"p\rw\n", u"", ControlCharacter},
      {"\x1B[2J\n", u"", ControlCharacter},
      {"pw\x7F\n", u"", ControlCharacter},
      {"\xC2\x85pw\n", u"", ControlCharacter},  // U+0085, a C1 control in UTF-8
      {"\xFF\xFEp\0\0\0\r\0\n\0"s, u"", ControlCharacter},
      {"\xFF\xFEp\0w"s, u"", ControlCharacter},    // ends inside a code unit
      {"p\0w\0\r\0\n\0"s, u"", ControlCharacter},  // UTF-16 without a byte-order mark
      // The limit counts the line end; over it the line is refused, never cut.
      {std::string(4094, 'a') + "\r\n", std::u16string(4094, u'a')},
      {std::string(4096, 'a'), std::u16string(4096, u'a')},
      {std::string(4095, 'a') + "\r\n", u"", TooLong},
      {std::string(100000, 'a'), u"", TooLong},
      {"\xFF\xFE" + std::string(4094, 'a') + "\n\0"s, u"", TooLong},
  };
  // Compared without printing: the texts stand for passwords.
  for (const Case& c : kCases) {
    const PasswordLine line = PasswordFromInput(c.input);
    EXPECT_TRUE(line.password == c.password) << "case " << (&c - kCases);
    EXPECT_EQ(line.refusal, c.refusal) << "case " << (&c - kCases);
  }
  EXPECT_EQ(FirstLine(u"typed\r\n"), u"typed");
}

// /enable tries the credentials before it writes: a refusal says why on standard error, exits
// with 1 and writes nothing; /nocheck writes without trying. The domain given is the one tried.
TEST(ConsoleEnable, TriesTheCredentialsUnlessNoCheck) {
  namespace memory = registry::memory;
  const std::u16string_view arguments[] = {u"/enable", u"/user:ann", u"/domain:CORP", u"/nocheck"};
  for (const bool skip : {false, true}) {
    memory::Reset();
    HeadlessConsole console;
    console.input = "s3cret\r\n";
    console.logonAnswer = LogonCheck::PasswordExpired;
    const int exitCode = RunConsole(std::span(arguments).first(skip ? 4 : 3), console, console);
    EXPECT_EQ(exitCode, skip ? 0 : 1);
    EXPECT_EQ(console.logonsTried, skip ? std::vector<std::u16string>{}
                                        : std::vector<std::u16string>{u"CORP\\ann:s3cret"});
    EXPECT_EQ(console.error, skip ? u""
                                  : u"Windows refuses this logon: the password has expired.\r\n"
                                    u"Nothing was written. /nocheck saves without trying the "
                                    u"logon.\r\n");
    EXPECT_EQ(memory::Snapshot().empty(), !skip);
  }
}

// Quotes, backslashes, every control character and everything beyond ASCII are escaped, so that
// the text is valid JSON in any code page; the rest stays as it is.
TEST(ConsoleJson, StringsAreEscapedToPlainAscii) {
  const std::pair<std::u16string_view, std::u16string_view> kCases[] = {
      {u"", u"\"\""},
      {u"CORP\\ann \"x\" ~", u"\"CORP\\\\ann \\\"x\\\" ~\""},
      {std::u16string_view(u"\0\x1f\r\n\x7f", 5), u"\"\\u0000\\u001f\\u000d\\u000a\\u007f\""},
      {u"網域é\U0001F511", u"\"\\u7db2\\u57df\\u00e9\\ud83d\\udd11\""},
  };
  for (const auto& [text, json] : kCases)
    EXPECT_EQ(JsonString(text), json) << "case " << (&text - &kCases[0].first) / 2;
}

// /status shows a control character in a stored text written out, so that no stored name can
// print a line that looks like one of the report's own.
TEST(ConsoleStatus, ShowsControlCharactersWrittenOut) {
  StoredSettings stored;
  stored.computerName = u"PC";
  stored.user.text = u"eve\r\nPassword stored: no";
  stored.domain.text = u"C\tO\x01R\x7FP\u0085\\x";
  EXPECT_EQ(StatusReport(stored, PasswordLocation::Registry),
            u"Machine name: PC\r\nAutomatic logon: off\r\n"
            u"User name: eve\\r\\nPassword stored: no\r\nDomain name: C\\tO\\x01R\\x7fP\\x85\\x\r\n"
            u"Password stored: registry\r\nAutomatically: off\r\nRun entry:\r\n");
}

// /enable's password from standard input or typed at the console: what it refuses writes nothing
// and ends with the exit code and message given; an empty line or a typed blank is a blank
// password.
TEST(ConsoleEnable, RefusedPasswordsWriteNothing) {
  using namespace std::string_literals;
  struct Case {
    const char* label;
    std::string input;
    std::vector<std::u16string> typed;  // at a console when given
    int exitCode;
    std::u16string_view message;
  };
  const Case kCases[] = {
      {"no input at all", "", {}, 2, NoPasswordLineMessage()},
      {"a NUL", "pw\0\r\n"s, {}, 1, PasswordControlCharacterMessage()},
      {"over-long", std::string(5000, 'x'), {}, 1, PasswordTooLongMessage()},
      {"typed with a control character",
       "",
       {u"p\x01", u"p\x01"},
       1,
       PasswordControlCharacterMessage()},
      {"typed, interrupted", "", {u"pw"}, 2, NoPasswordLineMessage()},
      {"typed twice differently", "", {u"pw", u"pW"}, 1, MismatchMessage()},
      {"an empty line", "\r\n", {}, 0, u""},
      {"typed blank", "", {u"", u""}, 0, u""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    registry::memory::Reset();
    registry::memory::PutText(registry::kLocalMachine, kWinlogonKey, kDefaultPasswordValue, u"old");
    const auto before = registry::memory::Snapshot();
    HeadlessConsole console;
    console.input = c.input;
    console.inputIsConsole = !c.typed.empty();
    console.typedLines = c.typed;
    const std::u16string_view args[] = {u"/enable", u"/user:ann"};
    EXPECT_EQ(RunConsole(args, console, console), c.exitCode);
    if (c.exitCode != 0) {
      EXPECT_EQ(registry::memory::Snapshot(), before);
      EXPECT_EQ(console.messages, std::vector<ShownMessage>{{std::u16string(c.message)}});
    } else {
      EXPECT_EQ(ReadCredential(kDefaultPasswordValue).text, u"");
      EXPECT_EQ(ReadCredential(kDefaultUserNameValue).text, u"ann");
    }
  }
}

}  // namespace
}  // namespace quenda
