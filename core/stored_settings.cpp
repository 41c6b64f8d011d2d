// Reading the stored configuration: the single reads and the rules on what they yield.
#include "stored_settings.h"

#include "locations.h"
#include "texts.h"

namespace quenda {
namespace {

using registry::kLocalMachine;

std::u16string ReadText(registry::Key root, std::u16string_view path, std::u16string_view name,
                        ValueState* state = nullptr) {
  std::u16string value;
  GetValue(root, path, name, value, state);
  return value;
}

}  // namespace

bool IsOn(std::u16string_view flag) {
  return flag == u"1";
}

TextToWrite StoredText::ToWrite(std::u16string_view current) const {
  return ShowsUnfaithfully(state) && current == text ? TextToWrite() : TextToWrite(current);
}

std::u16string ReadComputerName() {
  return ReadText(kLocalMachine, kComputerNameKey, kComputerNameValue);
}

StoredText ReadCredential(std::u16string_view valueName) {
  return ReadMachineValue(kWinlogonKey, valueName);
}

StoredText ReadMachineValue(std::u16string_view key, std::u16string_view valueName) {
  StoredText stored;
  GetValue(kLocalMachine, key, valueName, stored.text, &stored.state);
  return stored;
}

bool ReadFlag(std::u16string_view valueName, ValueState* state) {
  return IsOn(ReadText(kLocalMachine, kWinlogonKey, valueName, state));
}

std::u16string ReadRunEntry(ValueState* state) {
  return ReadText(kLocalMachine, kRunKey, kQuendaValue, state);
}

void ChooseLanguageFromLocale() {
  IsChinese =
      LocaleChoosesChinese(ReadText(registry::kCurrentUser, kInternationalKey, kLocaleValue));
}

StoredSettings ReadStoredSettings() {
  StoredSettings stored;
  ValueState autoLogon = ValueState::Missing;
  ValueState automatic = ValueState::Missing;
  ValueState runCommand = ValueState::Missing;
  stored.computerName = ReadComputerName();
  stored.user = ReadCredential(kDefaultUserNameValue);
  stored.autoLogon = ReadFlag(kAutoAdminLogonValue, &autoLogon);
  stored.domain = ReadCredential(kDefaultDomainNameValue);
  stored.automatic = ReadFlag(kQuendaValue, &automatic);
  stored.runCommand = ReadRunEntry(&runCommand);
  for (const ValueState state :
       {stored.user.state, autoLogon, stored.domain.state, automatic, runCommand}) {
    stored.unreadable = stored.unreadable || state == ValueState::Unreadable;
  }
  return stored;
}

}  // namespace quenda
