// Parsing the console companion's arguments into one command.
#include "command_line.h"

#include <array>
#include <bitset>

#include "control_characters.h"

namespace quenda {
namespace {

struct Switch {
  std::u16string_view name;  // lower case
  bool takesValue;
};

// The actions come first, in the order of ConsoleAction, then the options of /enable.
constexpr std::array kSwitches = {
    Switch{u"?", false},
    Switch{u"status", false},
    Switch{u"enable", false},
    Switch{u"disable", false},
    Switch{u"uninstall-cleanup", false},
    Switch{u"user", true},
    Switch{u"domain", true},
    Switch{u"automatic", false},
};
constexpr std::size_t kActionCount = 5;
constexpr std::size_t kUser = 5;
constexpr std::size_t kDomain = 6;
constexpr std::size_t kAutomatic = 7;

bool SameNameIgnoringCase(std::u16string_view given, std::u16string_view lowerCase) {
  if (given.size() != lowerCase.size())
    return false;
  for (std::size_t i = 0; i < given.size(); ++i) {
    const char16_t c = given[i];
    if ((c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c) != lowerCase[i])
      return false;
  }
  return true;
}

}  // namespace

std::optional<ConsoleCommand> ParseCommandLine(std::span<const std::u16string_view> arguments) {
  std::bitset<kSwitches.size()> given;
  std::array<std::u16string_view, kSwitches.size()> values{};
  for (std::u16string_view argument : arguments) {
    if (argument.size() < 2 || (argument[0] != u'/' && argument[0] != u'-'))
      return std::nullopt;
    const std::size_t colon = argument.find(u':');
    const bool hasValue = colon != std::u16string_view::npos;
    const std::u16string_view name = argument.substr(1, hasValue ? colon - 1 : colon);
    std::size_t index = 0;
    while (index < kSwitches.size() && !SameNameIgnoringCase(name, kSwitches[index].name))
      ++index;
    if (index == kSwitches.size() || given[index])
      return std::nullopt;
    if (hasValue != kSwitches[index].takesValue || (hasValue && colon + 1 == argument.size())) {
      return std::nullopt;
    }
    given[index] = true;
    if (hasValue)
      values[index] = argument.substr(colon + 1);
    if (HasControlCharacter(values[index]))
      return std::nullopt;  // a name Windows would store with a line break, a tab or a NUL
  }

  std::size_t action = kActionCount;
  for (std::size_t i = 0; i < kActionCount; ++i) {
    if (given[i]) {
      if (action != kActionCount)
        return std::nullopt;  // a second action
      action = i;
    }
  }
  if (action == kActionCount)
    return std::nullopt;
  ConsoleCommand command;
  command.action = static_cast<ConsoleAction>(action);
  const bool hasOptions = given[kUser] || given[kDomain] || given[kAutomatic];
  if (command.action != ConsoleAction::Enable)
    return hasOptions ? std::nullopt : std::optional(command);
  if (!given[kUser])
    return std::nullopt;
  command.user = values[kUser];
  if (given[kDomain])
    command.domain = std::u16string(values[kDomain]);
  command.automatic = given[kAutomatic];
  return command;
}

}  // namespace quenda
