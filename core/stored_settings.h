// The one reader of the stored configuration, used by the dialog's start-up and the command line.
//
// Every read goes through GetValue and starts from the empty text, so a missing, empty or
// over-long value reads as "". The rules for what counts as "on" and for which stored values an
// apply must leave alone are stated here and nowhere else.
#pragma once

#include <string>
#include <string_view>

#include "registrys.h"

namespace quenda {

// The "on" rule for a stored flag: exactly "1" (a REG_DWORD 1 reads as "1"). "01", " 1", "true",
// "0" and the empty text are off.
bool IsOn(std::u16string_view flag);

// A text value of the Winlogon key as read for display.
struct StoredText {
  // What is shown: the text, with '?' for characters the ANSI code page cannot hold; "" for a
  // value of another type, an over-long one or one that may not be read.
  std::u16string text;
  ValueState state = ValueState::Missing;

  // What an apply writes for the value when its box (or the command line) now holds `current`:
  // nullopt, leaving the value exactly as stored (type included), while `current` is still what
  // was shown for a value shown unfaithfully (an edit undone counts as no edit); otherwise
  // `current`.
  TextToWrite ToWrite(std::u16string_view current) const;
  // What an apply writes when nobody edited the value.
  TextToWrite Unedited() const { return ToWrite(text); }
  // Nothing is stored: the value is missing or an empty text. A value that cannot be shown
  // faithfully (another type, too long, characters the code page lacks) still holds something.
  bool Empty() const {
    return state == ValueState::Missing || (state == ValueState::Shown && text.empty());
  }
};

// ---- Single reads, in any order the caller needs ----
// The computer's name, for display.
std::u16string ReadComputerName();
// A text value of the Winlogon key: "DefaultUserName", "DefaultPassword", "DefaultDomainName".
StoredText ReadCredential(std::u16string_view valueName);
// Any value under HKEY_LOCAL_MACHINE, read the same way.
StoredText ReadMachineValue(std::u16string_view key, std::u16string_view valueName);
// A flag of the Winlogon key ("AutoAdminLogon", the program's own "Quenda"), by IsOn. `state`,
// when given, tells what the read found.
bool ReadFlag(std::u16string_view valueName, ValueState* state = nullptr);
// The program's Run entry: the command that starts it at every logon, or "".
std::u16string ReadRunEntry(ValueState* state = nullptr);
// Sets IsChinese from the user's "Locale" value (LocaleChoosesChinese).
void ChooseLanguageFromLocale();

// ---- The whole configuration, for the command line ----
// Everything but the password, which only the commands that use it read.
struct StoredSettings {
  std::u16string computerName;
  StoredText user;
  StoredText domain;
  bool autoLogon = false;  // "AutoAdminLogon"
  bool automatic = false;  // the program's own flag, "Quenda" in the Winlogon key
  std::u16string runCommand;
  // Some value exists but may not be read (access denied): what was read does not describe the
  // configuration.
  bool unreadable = false;
};
StoredSettings ReadStoredSettings();

}  // namespace quenda
