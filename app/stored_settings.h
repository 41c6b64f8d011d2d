// The stored configuration as the dialog reads it at start-up, for the command line.
#pragma once

#include <string>

#include "registrys.h"

namespace quenda {

// A text value as GetValue reads it. `unrepresentable` marks one stored with characters the ANSI
// code page cannot hold; `text` then shows '?' in their place.
struct StoredText {
  std::u16string text;
  bool unrepresentable = false;

  // What an apply writes for the value when nobody edits it: the text as read, or nullopt (leave
  // it as stored) when writing it back would lose characters. As the dialog does for its boxes.
  TextToWrite Unedited() const;
};

struct StoredSettings {
  std::u16string computerName;
  StoredText password;
  StoredText user;
  StoredText domain;
  bool autoLogon = false;  // "AutoAdminLogon"
  bool automatic = false;  // the program's own flag, "Quenda" in the Winlogon key
  std::u16string runCommand;
};

// Reads the values the dialog reads at start-up (the locale aside), through GetValue with the same
// rules: each read starts from the empty text, so a missing, empty or over-long value reads as
// ""; a flag is on only when it reads exactly "1". Then the Run entry.
StoredSettings ReadStoredSettings();

// Sets IsChinese from the user's "Locale" value, as the dialog's start-up does.
void ChooseLanguageFromLocale();

}  // namespace quenda
