// Fuzzes ParseCommandLine with argument lists built from switch names, separators, values and
// arbitrary code units, checking every result against the usage rules worked out here another way:
// each switch looked up by its folded name in a table, counted, and the combination judged after.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "fuzz_oracle.h"

namespace {

using quenda::ConsoleAction;

// Pieces an argument is made of; "|" ends the argument. The characters on either side of each
// edge of the control ranges come up as often as the switch names.
constexpr std::u16string_view kPieces[] = {
    u"|",         u"/",       u"-",      u":",       u"status",
    u"Enable",    u"DISABLE", u"check",  u"reapply", u"uninstall-cleanup",
    u"?",         u"user",    u"Domain", u"NoCheck", u"protect",
    u"AUTOMATIC", u"json",    u"a",      u"Zoë",     u" ",
    u"\x1F",      u"\r",      u"\x7E",   u"\x7F",    u"\u009F",
    u"\u00A0"};

// Byte FF takes the next two as one code unit (little-endian, as the comparisons libFuzzer
// watches see it), so that any character can turn up; any other byte picks a piece.
std::vector<std::u16string> ArgumentsFrom(const std::uint8_t* input, std::size_t size) {
  std::vector<std::u16string> arguments(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (input[i] == 0xFF) {
      const unsigned low = i + 1 < size ? input[++i] : 0;
      const unsigned high = i + 1 < size ? input[++i] : 0;
      arguments.back().push_back(static_cast<char16_t>(high << 8 | low));
    } else if (const auto piece = kPieces[input[i] % std::size(kPieces)]; piece == u"|") {
      arguments.emplace_back();
    } else {
      arguments.back() += piece;
    }
  }
  if (arguments.back().empty())
    arguments.pop_back();
  return arguments;
}

using enum ConsoleAction;
struct Rule {
  ConsoleAction owner;  // the action it is, or the one it belongs to
  bool isAction;
  bool takesValue;
};
const std::map<std::u16string, Rule> kRules = {
    {u"?", {Help, true, false}},          {u"status", {Status, true, false}},
    {u"enable", {Enable, true, false}},   {u"disable", {Disable, true, false}},
    {u"check", {Check, true, false}},     {u"uninstall-cleanup", {UninstallCleanup, true, false}},
    {u"reapply", {Reapply, true, false}}, {u"user", {Enable, false, true}},
    {u"domain", {Enable, false, true}},   {u"automatic", {Enable, false, false}},
    {u"nocheck", {Enable, false, false}}, {u"protect", {Enable, false, false}},
    {u"json", {Status, false, false}}};

// The command the usage rules allow for `arguments`, or nullopt.
std::optional<quenda::ConsoleCommand> Expected(const std::vector<std::u16string>& arguments) {
  std::map<std::u16string, std::u16string> given;  // folded name: value
  for (const std::u16string& argument : arguments) {
    if (argument.size() < 2 || (argument[0] != u'/' && argument[0] != u'-'))
      return std::nullopt;
    const std::size_t colon = argument.find(u':');
    std::u16string name = argument.substr(1, colon - 1);
    for (char16_t& c : name)
      c = u'A' <= c && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
    const auto rule = kRules.find(name);
    if (rule == kRules.end() || given.contains(name) ||
        (colon != std::u16string::npos) != rule->second.takesValue)
      return std::nullopt;
    const std::u16string value = rule->second.takesValue ? argument.substr(colon + 1) : u"";
    if ((rule->second.takesValue && value.empty()) || std::ranges::any_of(value, IsControl))
      return std::nullopt;
    given[name] = value;
  }
  std::optional<ConsoleAction> action;
  for (const auto& [name, value] : given) {
    if (kRules.at(name).isAction && action)
      return std::nullopt;
    if (kRules.at(name).isAction)
      action = kRules.at(name).owner;
  }
  if (!action || (action == Enable && !given.contains(u"user")))
    return std::nullopt;
  for (const auto& [name, value] : given) {
    if (kRules.at(name).owner != *action)
      return std::nullopt;
  }
  return quenda::ConsoleCommand{
      .action = *action,
      .user = given.contains(u"user") ? given[u"user"] : u"",
      .domain = given.contains(u"domain") ? std::optional(given[u"domain"]) : std::nullopt,
      .automatic = given.contains(u"automatic"),
      .noCheck = given.contains(u"nocheck"),
      .protect = given.contains(u"protect"),
      .json = given.contains(u"json")};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
  const std::vector<std::u16string> arguments = ArgumentsFrom(input, size);
  const std::vector<std::u16string_view> views(arguments.begin(), arguments.end());
  Require(quenda::ParseCommandLine(views) == Expected(arguments));
  return 0;
}
