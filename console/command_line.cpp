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
  ConsoleAction action;  // the action it is, or the one it belongs to
};

// The actions come first, in the order of ConsoleAction, then the options.
constexpr std::array kSwitches = {
    Switch{u"?", false, ConsoleAction::Help},
    Switch{u"status", false, ConsoleAction::Status},
    Switch{u"enable", false, ConsoleAction::Enable},
    Switch{u"disable", false, ConsoleAction::Disable},
    Switch{u"uninstall-cleanup", false, ConsoleAction::UninstallCleanup},
    Switch{u"check", false, ConsoleAction::Check},
    Switch{u"reapply", false, ConsoleAction::Reapply},
    Switch{u"user", true, ConsoleAction::Enable},
    Switch{u"domain", true, ConsoleAction::Enable},
    Switch{u"automatic", false, ConsoleAction::Enable},
    Switch{u"nocheck", false, ConsoleAction::Enable},
    Switch{u"protect", false, ConsoleAction::Enable},
    Switch{u"json", false, ConsoleAction::Status},
};
constexpr std::size_t kActionCount = 7;
constexpr std::size_t kUser = 7;
constexpr std::size_t kDomain = 8;
constexpr std::size_t kAutomatic = 9;
constexpr std::size_t kNoCheck = 10;
constexpr std::size_t kProtect = 11;
constexpr std::size_t kJson = 12;

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

  std::size_t action = 0;
  while (action < kActionCount && !given[action])
    ++action;
  if (action == kActionCount)
    return std::nullopt;
  ConsoleCommand command;
  command.action = static_cast<ConsoleAction>(action);
  // A second action, or an option of another action.
  for (std::size_t i = 0; i < kSwitches.size(); ++i) {
    if (given[i] && kSwitches[i].action != command.action)
      return std::nullopt;
  }
  if (command.action == ConsoleAction::Enable && !given[kUser])
    return std::nullopt;
  command.user = values[kUser];
  if (given[kDomain])
    command.domain = std::u16string(values[kDomain]);
  command.automatic = given[kAutomatic];
  command.noCheck = given[kNoCheck];
  command.protect = given[kProtect];
  command.json = given[kJson];
  return command;
}

}  // namespace quenda
