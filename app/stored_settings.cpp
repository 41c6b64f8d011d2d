// Reading the stored configuration and the user's language the way the dialog's start-up does.
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

StoredText ReadCredential(std::u16string_view name) {
  StoredText stored;
  GetValue(kLocalMachine, kWinlogonKey, name, stored.text, &stored.unrepresentable);
  return stored;
}

bool ReadFlag(std::u16string_view path, std::u16string_view name) {
  // "01", " 1" and "true" are off, like the dialog's check boxes.
  return ReadText(kLocalMachine, path, name) == u"1";
}

}  // namespace

TextToWrite StoredText::Unedited() const {
  return unrepresentable ? TextToWrite() : TextToWrite(text);
}

StoredSettings ReadStoredSettings() {
  StoredSettings stored;
  stored.computerName = ReadText(kLocalMachine, kComputerNameKey, kComputerNameValue);
  stored.password = ReadCredential(kDefaultPasswordValue);
  stored.user = ReadCredential(kDefaultUserNameValue);
  stored.autoLogon = ReadFlag(kWinlogonKey, kAutoAdminLogonValue);
  stored.domain = ReadCredential(kDefaultDomainNameValue);
  stored.automatic = ReadFlag(kWinlogonKey, kQuendaValue);
  stored.runCommand = ReadText(kLocalMachine, kRunKey, kQuendaValue);
  return stored;
}

void ChooseLanguageFromLocale() {
  IsChinese =
      LocaleChoosesChinese(ReadText(registry::kCurrentUser, kInternationalKey, kLocaleValue));
}

}  // namespace quenda
