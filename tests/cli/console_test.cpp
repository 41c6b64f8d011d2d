// The console companion's fine-grained rules on the host: how its command line parses, how the
// password line is decoded and how JSON text is escaped.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "command_line.h"
#include "password_line.h"
#include "status_json.h"

namespace quenda {
namespace {

using Args = std::vector<std::u16string_view>;

TEST(ConsoleCommandLine, ParsesOneActionWithItsOptionsAndRejectsEverythingElse) {
  using enum ConsoleAction;
  // Names in any case after "/" or "-"; a value keeps its case and any further colon.
  const std::pair<Args, ConsoleCommand> kValid[] = {
      {{u"-STATUS"}, {.action = Status}},
      {{u"/json", u"/status"}, {.action = Status, .json = true}},
      {{u"/Automatic", u"-DOMAIN:Ω", u"/USER:\u00A0:b", u"-enable", u"/NoCheck"},
       {.action = Enable, .user = u"\u00A0:b", .domain = u"Ω", .automatic = true, .noCheck = true}},
      {{u"/enable", u"-Protect", u"/user:a"}, {.action = Enable, .user = u"a", .protect = true}},
  };
  for (const auto& c : kValid)
    EXPECT_EQ(ParseCommandLine(c.first), c.second) << "case " << (&c - kValid);
  // Refused: no prefix, a shortened name, a value where none is taken, a second action or an
  // option of another one, a switch given twice, /enable without a user name, an empty value, a
  // value holding a control character (a name Windows would store with a line break).
  const Args kUsageErrors[] = {
      {u"status"},
      {u"/stat"},
      {u"/status:on"},
      {u"/check", u"/json"},
      {u"/status", u"/check"},
      {u"/enable", u"/user:a", u"/user:b"},
      {u"/enable", u"/domain:D"},
      {u"/enable", u"/user:a", u"/domain:"},
      {u"/enable", u"/user:eve\r\nPassword"},
  };
  for (const Args& args : kUsageErrors)
    EXPECT_EQ(ParseCommandLine(args), std::nullopt) << testing::PrintToString(args);
}

// The first line of standard input as the password: decoded by its byte-order mark, as UTF-8 or in
// the ANSI code page, refused rather than stored when it is not what was meant.
TEST(ConsolePasswordLine, DecodesTheFirstLineOrRefusesIt) {
  using enum PasswordRefusal;
  using namespace std::string_literals;
  const std::tuple<std::string, std::u16string, PasswordRefusal> kCases[] = {
      {"\xEF\xBB\xBFp\xC3\xA4ss\r\n", u"päss", None},  // UTF-8 with a byte-order mark
      {"\xF0\x9F\x94\x91", u"\U0001F511", None},       // UTF-8 beyond the Basic Multilingual Plane
      {"p\xE4ss\r\n", u"päss", None},                  // windows-1252, the host's ANSI code page
      {"\xE0\x80\xAF", u"à€¯", None},                  // overlong UTF-8 reads as ANSI
      // UTF-16 by its byte-order mark; a byte 0A inside a code unit or across two is no line end.
      {"\xFF\xFEp\0\xE4\0s\0\x0A\x01\x05\x0A\0\x01\r\0\n\0n\0"s, u"päsĊ\u0A05Ā", None},
      {"\xFE\xFF\0p\0\xE4\x0A\x05\0\r\0\n"s, u"pä\u0A05", None},
      {"\xFF\xFEp\0w"s, u"", ControlCharacter},  // ends inside a code unit
      // The limit counts the line end; over it the line is refused, never cut.
      {std::string(4094, 'a') + "\r\n", std::u16string(4094, u'a'), None},
      {std::string(4095, 'a') + "\r\n", u"", TooLong},
  };
  // Compared without printing: the texts stand for passwords.
  for (const auto& [input, password, refusal] : kCases) {
    const PasswordLine line = PasswordFromInput(input);
    const auto row = testing::PrintToString(std::pair(input.size(), input.substr(0, 6)));
    EXPECT_TRUE(line.password == password) << row;
    EXPECT_EQ(line.refusal, refusal) << row;
  }
  EXPECT_EQ(FirstLine(u"typed\r\n"), u"typed");
}

// Quotes, backslashes, every control character and everything beyond ASCII are escaped, so that
// the text is valid JSON in any code page; the rest stays as it is.
TEST(ConsoleJson, StringsAreEscapedToPlainAscii) {
  const std::pair<std::u16string_view, std::u16string_view> kCases[] = {
      {u"CORP\\ann \"x\" ~", u"\"CORP\\\\ann \\\"x\\\" ~\""},
      {std::u16string_view(u"\0\x1f\r\n\x7f", 5), u"\"\\u0000\\u001f\\u000d\\u000a\\u007f\""},
      {u"網域é\U0001F511", u"\"\\u7db2\\u57df\\u00e9\\ud83d\\udd11\""},
  };
  for (const auto& [text, json] : kCases)
    EXPECT_EQ(JsonString(text), json) << testing::PrintToString(json);
}

}  // namespace
}  // namespace quenda
