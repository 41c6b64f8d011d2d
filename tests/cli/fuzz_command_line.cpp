// Fuzzes ParseCommandLine with argument lists built from switch names, separators, values and
// arbitrary code units, checking every result against the usage rules worked out here another way:
// each switch looked up by its folded name in a table, counted, and the combination judged after.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"

namespace {

void Require(bool condition) {
  if (!condition)
    std::abort();
}

// Pieces an argument is made of; "|" ends the argument. The characters on either side of each
// edge of the control ranges come up as often as the switch names.
constexpr std::u16string_view kPieces[] = {
    u"|",  u"/",    u"-",      u":",         u"status", u"Enable", u"DISABLE", u"uninstall-cleanup",
    u"?",  u"user", u"Domain", u"AUTOMATIC", u"a",      u"Zoë",    u" ",       u"\x1F",
    u"\r", u"\x7E", u"\x7F",   u"\u009F",    u"\u00A0"};
constexpr std::size_t kPieceCount = std::size(kPieces);

// Byte FF takes the next two as one code unit (little-endian, as the comparisons libFuzzer
// watches see it), so that any character can turn up; any other byte picks a piece.
std::vector<std::u16string> ArgumentsFrom(const std::uint8_t* input, std::size_t size) {
  std::vector<std::u16string> arguments(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (input[i] == 0xFF) {
      const unsigned low = i + 1 < size ? input[++i] : 0;
      const unsigned high = i + 1 < size ? input[++i] : 0;
      arguments.back().push_back(static_cast<char16_t>(high << 8 | low));
    } else if (const std::u16string_view piece = kPieces[input[i] % kPieceCount]; piece == u"|") {
      arguments.emplace_back();
    } else {
      arguments.back() += piece;
    }
  }
  if (arguments.back().empty())
    arguments.pop_back();
  return arguments;
}

std::u16string AsciiLowerCase(std::u16string text) {
  for (char16_t& c : text) {
    if (u'A' <= c && c <= u'Z')
      c = static_cast<char16_t>(c + (u'a' - u'A'));
  }
  return text;
}

struct Rule {
  bool action;
  bool takesValue;
};
const std::map<std::u16string, Rule> kRules = {{u"?", {true, false}},
                                               {u"status", {true, false}},
                                               {u"enable", {true, false}},
                                               {u"disable", {true, false}},
                                               {u"uninstall-cleanup", {true, false}},
                                               {u"user", {false, true}},
                                               {u"domain", {false, true}},
                                               {u"automatic", {false, false}}};

// The command the usage rules allow for `arguments`, or nullopt.
std::optional<quenda::ConsoleCommand> Expected(const std::vector<std::u16string>& arguments) {
  using quenda::ConsoleAction;
  std::map<std::u16string, std::optional<std::u16string>> given;
  for (const std::u16string& argument : arguments) {
    if (argument.size() < 2 || (argument[0] != u'/' && argument[0] != u'-'))
      return std::nullopt;
    const std::u16string body = argument.substr(1);
    const std::size_t colon = body.find(u':');
    const std::u16string name = AsciiLowerCase(body.substr(0, colon));
    const auto rule = kRules.find(name);
    if (rule == kRules.end() || given.contains(name))
      return std::nullopt;
    std::optional<std::u16string> value;
    if (colon != std::u16string::npos)
      value = body.substr(colon + 1);
    if (value.has_value() != rule->second.takesValue || (value && value->empty()))
      return std::nullopt;
    if (value) {
      for (const char16_t c : *value) {
        if (c <= 0x1F || (0x7F <= c && c <= 0x9F))
          return std::nullopt;
      }
    }
    given[name] = value;
  }
  int actions = 0;
  std::u16string action;
  for (const auto& [name, value] : given) {
    if (kRules.at(name).action) {
      ++actions;
      action = name;
    }
  }
  if (actions != 1)
    return std::nullopt;
  const bool options =
      given.contains(u"user") || given.contains(u"domain") || given.contains(u"automatic");
  if (action != u"enable") {
    if (options)
      return std::nullopt;
    const std::map<std::u16string, ConsoleAction> kActions = {
        {u"?", ConsoleAction::Help},
        {u"status", ConsoleAction::Status},
        {u"disable", ConsoleAction::Disable},
        {u"uninstall-cleanup", ConsoleAction::UninstallCleanup}};
    return quenda::ConsoleCommand{.action = kActions.at(action)};
  }
  if (!given.contains(u"user"))
    return std::nullopt;
  return quenda::ConsoleCommand{
      .action = ConsoleAction::Enable,
      .user = *given[u"user"],
      .domain = given.contains(u"domain") ? given[u"domain"] : std::nullopt,
      .automatic = given.contains(u"automatic")};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
  const std::vector<std::u16string> arguments = ArgumentsFrom(input, size);
  const std::vector<std::u16string_view> views(arguments.begin(), arguments.end());
  Require(quenda::ParseCommandLine(views) == Expected(arguments));
  return 0;
}
