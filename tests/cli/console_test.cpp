// The console companion's fine-grained rules on the host: how its command line parses and how the
// password line is read from standard input. What the commands do to the registry runs through
// cmd under Wine.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "command_line.h"
#include "password_line.h"

namespace quenda {
namespace {

using Args = std::vector<std::u16string_view>;

TEST(ConsoleCommandLine, ParsesOneActionWithItsOptionsAndRejectsEverythingElse) {
  using enum ConsoleAction;
  // Names in any case after "/" or "-"; a value keeps its case and any further colon.
  const std::pair<Args, ConsoleCommand> kValid[] = {
      {{u"-STATUS"}, {Status, u"", {}, false}},
      {{u"/uninstall-cleanup"}, {UninstallCleanup, u"", {}, false}},
      {{u"/enable", u"/user:Ann Lee"}, {Enable, u"Ann Lee", {}, false}},
      {{u"/Automatic", u"-DOMAIN:Corp", u"/USER:a:b", u"-enable"}, {Enable, u"a:b", u"Corp", true}},
      {{u"/enable", u"-Protect", u"/user:a"}, {Enable, u"a", {}, false, true}},
      {{u"/REAPPLY"}, {Reapply, u"", {}, false}},
  };
  for (const auto& c : kValid)
    EXPECT_EQ(ParseCommandLine(c.first), c.second) << "case " << (&c - kValid);
  // clang-format off
  const Args kUsageErrors[] = {
      {}, {u"status"}, {u"/"}, {u"/stat"}, {u"/status", u"/status"}, {u"/status", u"/disable"},
      {u"/status:on"}, {u"/enable"}, {u"/enable", u"/user"}, {u"/enable", u"/user:"},
      {u"/enable", u"/user:a", u"/domain:"}, {u"/enable", u"/user:a", u"/USER:b"},
      {u"/enable", u"/user:a", u"-automatic", u"/automatic"}, {u"/disable", u"/user:a"},
      {u"/status", u"/automatic"}, {u"/enable", u"/user:a", u"/automatic:yes"},
      {u"/reapply", u"/protect"}, {u"/disable", u"/protect"}, {u"/reapply", u"/status"}};
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

}  // namespace
}  // namespace quenda
