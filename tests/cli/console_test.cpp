// The console companion's fine-grained rules on the host: how its command line parses, how the
// password line is decoded, how /status shows stored texts and how JSON text is escaped.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "command_line.h"
#include "password_line.h"
#include "status_json.h"
#include "status_report.h"

namespace quenda {
namespace {

using Args = std::vector<std::u16string_view>;

Args Split(std::u16string_view line, char16_t separator) {
  Args args;
  while (!line.empty()) {
    const std::size_t end = std::min(line.find(separator), line.size());
    args.push_back(line.substr(0, end));
    line.remove_prefix(std::min(end + 1, line.size()));
  }
  return args;
}

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
      {{u"/enable", u"/user:Zoë\u00A0Ng", u"/domain:Ω\\x"},
       {.action = Enable, .user = u"Zoë\u00A0Ng", .domain = u"Ω\\x"}},
  };
  for (const auto& c : kValid)
    EXPECT_EQ(ParseCommandLine(c.first), c.second) << "case " << (&c - kValid);
  // Cases split at " " and their arguments at "|"; a value holding a control character is one too,
  // as Windows would store it with a line break or a tab.
  const std::u16string_view kUsageErrors =
      u"status / /stat /status|/status /status|/disable /status:on /enable /enable|/user "
      u"/enable|/user: /enable|/user:a|/domain: /enable|/user:a|/USER:b "
      u"/enable|/user:a|-automatic|/automatic /disable|/user:a /status|/automatic "
      u"/enable|/user:a|/automatic:yes /json /check|/json /status|/nocheck "
      u"/enable|/user:a|/json /check|/status /reapply|/protect /disable|/protect "
      u"/reapply|/status /enable|/user:eve\r\nPassword /enable|/user:a\tb "
      u"/enable|/user:a|/domain:CORP\n /enable|/user:a|/domain:\x01 /enable|/user:a\x7F "
      u"/enable|/user:a\u0085 /enable|/user:\u009F";
  EXPECT_EQ(ParseCommandLine({}), std::nullopt);
  for (const std::u16string_view args : Split(kUsageErrors, u' '))
    EXPECT_EQ(ParseCommandLine(Split(args, u'|')), std::nullopt) << testing::PrintToString(args);
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

}  // namespace
}  // namespace quenda
