// Fuzzes ParseCommandLine with argument lists built from switch names, separators and code units.
// Whatever parses names exactly one action, holds no empty value and no control character in a
// value, keeps each value as given, and parses the same with its arguments in reverse order.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "fuzz_oracle.h"

namespace {

constexpr std::u16string_view kActions[] = {
    u"?", u"status", u"enable", u"disable", u"uninstall-cleanup", u"check", u"reapply"};
// Pieces an argument is made of; "|/" and "|-" start the next one. The code units on either side of
// each edge of the control ranges come up as often as the switch names.
constexpr std::u16string_view kPieces[] = {
    u"|/",        u"|-",      u"/",      u":",       u"status",
    u"Enable",    u"DISABLE", u"check",  u"reapply", u"uninstall-cleanup",
    u"?",         u"user",    u"Domain", u"NoCheck", u"protect",
    u"AUTOMATIC", u"json",    u"a",      u" ",       u"\r",
    u"\x1F",      u"\x7F",    u"\x80",   u"\u009F",  u"\u00A0"};

std::vector<std::u16string> ArgumentsFrom(const std::uint8_t* input, std::size_t size) {
  std::vector<std::u16string> arguments = {u"/"};
  for (std::size_t i = 0; i < size; ++i) {
    if (const auto piece = kPieces[input[i] % std::size(kPieces)]; piece.starts_with(u"|"))
      arguments.emplace_back(piece.substr(1));
    else
      arguments.back() += piece;
  }
  return arguments;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
  std::vector<std::u16string> arguments = ArgumentsFrom(input, size);
  std::vector<std::u16string_view> views(arguments.begin(), arguments.end());
  const std::optional<quenda::ConsoleCommand> command = quenda::ParseCommandLine(views);
  if (!command)
    return 0;
  Require(command->domain != u"");
  Require((command->action == quenda::ConsoleAction::Enable) == !command->user.empty());
  // A value comes back as it was given, after the first colon of its argument.
  for (const std::u16string& value : {command->user, command->domain.value_or(u"")}) {
    Require(!HasControl(value));
    Require(value.empty() || std::ranges::any_of(arguments, [&](const std::u16string& argument) {
              return argument.substr(argument.find(u':') + 1) == value;
            }));
  }
  std::ranges::reverse(views);
  Require(quenda::ParseCommandLine(views) == command);
  int actions = 0;
  for (std::u16string& argument : arguments) {
    for (char16_t& c : argument)
      c = u'A' <= c && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
    actions += std::ranges::count(kActions, std::u16string_view(argument).substr(1));
  }
  Require(actions == 1);
  return 0;
}
