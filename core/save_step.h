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
};

// Writes `settings`: the automatic-logon configuration in its fixed order, then the program's
// flag "0" or "1". Returns true when everything was written.
// - A given text that the ANSI code page cannot hold is refused before anything is written: the
//   user is told (UnrepresentableMessage) and the result is false.
// - Every registry call is made holding the machine-wide save lock (ProcessServices), so two
//   applies never mix. When another apply holds it for too long, the user is told
//   (SaveLockTimeoutMessage) and the process ends with kExitWriteFailed, nothing written.
// - No Run entry this program can be started by can be written, or the Winlogon or Run key cannot
//   be opened for writing: nothing is written, and CheckResult ends the process.
// - A write fails part-way: CheckResult ends the process; the writes before it stay.
bool SaveSettings(const LogonSettings& settings, ProcessServices& services);

// Returns when `code` is 0. Otherwise tells the user that the registry could not be written, in
// the language IsChinese selects, and ends the process with kExitWriteFailed.
void CheckResult(registry::Status code, ProcessServices& services);

// The Run entry's command for an executable in `directory`: the directory joined to
// "\Quenda.exe" with one backslash, in double quotes when the path contains a blank (so that
// Windows cannot run C:\Program.exe in its place).
std::u16string RunCommandFor(std::u16string_view directory);

}  // namespace quenda
