// Reading the stored configuration: the single reads and the rules on what they yield.
#include "stored_settings.h"

#include "locations.h"
#include "texts.h"

namespace quenda {
namespace {

using registry::kLocalMachine;

std::u16string ReadText(registry::Key root, std::u16string_view path, std::u16string_view name) {
  std::u16string value;
  GetValue(root, path, name, value);
  return value;
}

}  // namespace

bool IsOn(std::u16string_view flag) {
  return flag == u"1";
}

TextToWrite StoredText::ToWrite(std::u16string_view current) const {
  return kept && current == text ? TextToWrite() : TextToWrite(current);
}

std::u16string ReadComputerName() {
  return ReadText(kLocalMachine, kComputerNameKey, kComputerNameValue);
}

StoredText ReadCredential(std::u16string_view valueName) {
  StoredText stored;
  GetValue(kLocalMachine, kWinlogonKey, valueName, stored.text, &stored.kept);
  return stored;
}

bool ReadFlag(std::u16string_view valueName) {
  return IsOn(ReadText(kLocalMachine, kWinlogonKey, valueName));
}

std::u16string ReadRunEntry() {
  return ReadText(kLocalMachine, kRunKey, kQuendaValue);
}

void ChooseLanguageFromLocale() {
  IsChinese =
      LocaleChoosesChinese(ReadText(registry::kCurrentUser, kInternationalKey, kLocaleValue));
}

StoredSettings ReadStoredSettings() {
  StoredSettings stored;
  stored.computerName = ReadComputerName();
  stored.user = ReadCredential(kDefaultUserNameValue);
  stored.autoLogon = ReadFlag(kAutoAdminLogonValue);
  stored.domain = ReadCredential(kDefaultDomainNameValue);
  stored.automatic = ReadFlag(kQuendaValue);
  stored.runCommand = ReadRunEntry();
  return stored;
}

}  // namespace quenda
