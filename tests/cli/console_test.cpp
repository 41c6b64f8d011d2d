// The console companion's fine-grained rules on the host: how its command line parses, how the
// password line is read from standard input, how /enable tries the credentials and how JSON text
// is escaped. What the commands do to the registry runs through cmd under Wine.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "command_line.h"
#include "password_line.h"
#include "registry_memory.h"
#include "services_headless.h"
#include "status_json.h"

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

TEST(ConsolePasswordLine, IsTheFirstLineOfInputAsUtf8OrInTheAnsiCodePage) {
  const std::pair<std::string_view, std::u16string_view> kCases[] = {
      {"pw\r\nnext\r\n", u"pw"},
      {"p w\n", u"p w"},
      {"pw", u"pw"},
      {"\r\n", u""},
      {"\xEF\xBB\xBFp\xC3\xA4ss\r\n", u"päss"},  // UTF-8 with a byte-order mark
      {"\xF0\x9F\x94\x91", u"\U0001F511"},       // UTF-8 beyond the Basic Multilingual Plane
      {"p\xE4ss\r\n", u"päss"},                  // windows-1252, the host's ANSI code page
      {"\xC3\xA4\xC3", u"Ã¤Ã"},                  // truncated UTF-8 reads as ANSI
      {"\xE0\x80\xAF", u"à€¯"},                  // overlong UTF-8 reads as ANSI
  };
  // Compared without printing: the texts stand for passwords.
  for (const auto& c : kCases)
    EXPECT_TRUE(PasswordFromInput(c.first) == c.second) << "case " << (&c - kCases);
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

}  // namespace
}  // namespace quenda
