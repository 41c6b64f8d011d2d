// The save step: the one way a configuration is written, shared by the dialog's OK, its
// countdown and the command line.
#pragma once

#include <string>
#include <string_view>

#include "registrys.h"
#include "process_services.h"

namespace quenda {

// What one apply writes. A nullopt text leaves its stored value as it is: a value the code page
// cannot hold that nobody edited.
struct LogonSettings {
  bool autoLogon = false;  // "Starting Auto Logon"
  bool automatic = false;  // "Automatically": the program's own flag
  TextToWrite user;
  TextToWrite password;
  TextToWrite domain;
  bool protect = false;  // store the password in the LSA secret even where none exists yet
};

// How an apply ended when it returned. (A failed write ends the process instead.)
enum class SaveOutcome : std::uint8_t {
  Saved,
  // A given text that could not be stored faithfully, so nothing was written.
  UserRefused,
  PasswordRefused,
  DomainRefused,
};

// Writes `settings`: the automatic-logon configuration in its fixed order, then the program's
// flag "0" or "1". The password goes where the password-store rule puts it (password_store.h):
// the LSA secret, stored or deleted before the first registry write, or DefaultPassword.
// - When every value (and the secret) already holds what the apply would leave there, nothing is
//   written and nothing is opened for writing: Saved, even without the right to write.
// - A given text that the ANSI code page cannot hold, or that would be too long to be read back
//   (kMaxReadableBytes), is refused before anything is written: the user is told why
//   (UnrepresentableMessage, TooLongMessage) and the outcome names the text.
// - Every registry call is made holding the machine-wide save lock (ProcessServices), so two
//   applies never mix. When another apply holds it for too long, the user is told
//   (SaveLockTimeoutMessage) and the process ends with kExitWriteFailed, nothing written.
// - No Run entry this program can be started by can be written (a folder the code page cannot
//   name, with no short name): the user is told (RunEntryMessage) and the process ends with
//   kExitWriteFailed; nothing is written.
// - The Winlogon key, or the Run key that the apply writes or deletes from, cannot be opened for
//   writing, or the LSA policy for a secret the apply changes, or the secret could not be read
//   where the rule depends on it: nothing is written, and CheckResult ends the process.
// - A write fails part-way: CheckResult ends the process; the writes before it stay.
SaveOutcome SaveSettings(const LogonSettings& settings, ProcessServices& services);

// Returns when `code` is 0. Otherwise tells the user that the registry could not be written, in
// the language IsChinese selects, and ends the process with kExitWriteFailed.
void CheckResult(registry::Status code, ProcessServices& services);

// The Run entry's command for an executable in `directory`: the directory joined to
// "\Quenda.exe" with one backslash, in double quotes when the path contains a blank (so that
// Windows cannot run C:\Program.exe in its place).
std::u16string RunCommandFor(std::u16string_view directory);

}  // namespace quenda
