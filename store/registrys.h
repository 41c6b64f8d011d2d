// The registry routines: every registry access of Quenda passes through these five.
//
// Each routine opens (or creates) its key, does one job and closes the key again; no handle
// outlives a call. Texts are converted to the ANSI code page on the way in and decoded on the way
// out. Only the two writing steps of SetValue have their status examined: a failure there ends the
// process through CheckResult. Reads and deletions never report anything.
#pragma once

#include <string>
#include <string_view>

#include "registry.h"

namespace quenda {

// Reads one value as text into `value`.
// - REG_SZ: the data decoded from the ANSI code page, one final NUL dropped if present.
// - REG_DWORD: the number in unsigned decimal ("1", "261", "4294967295").
// - Another type, or a missing key or value: the empty text.
// Returns true when the read ran to its end. Returns false, leaving `value` as it was, when the
// data is empty or longer than 1024 bytes, or when anything unexpected happened. Callers empty
// `value` before the call so that such a read leaves the empty text.
bool GetValue(registry::Key root, std::u16string_view path, std::u16string_view name,
              std::u16string& value);

// Writes `text` as REG_SZ, without a terminating NUL, creating the key when it is missing.
// An empty text deletes the value instead (no key is created) and returns false. A failure to
// create or open the key, or to write the value, goes to CheckResult and ends the process.
bool SetValue(registry::Key root, std::u16string_view path, std::u16string_view name,
              std::u16string_view text);

// Deletes one value. A missing key or value and denied access pass silently.
void DeleteValue(registry::Key root, std::u16string_view path, std::u16string_view name);

// Returns when `code` is 0. Otherwise shows the two-line registry-failure message in the language
// IsChinese selects (error icon, title "Quenda") and ends the process once it is dismissed.
void CheckResult(registry::Status code);

// Writes the automatic-logon configuration in its fixed order: "AutoAdminLogon" = flag,
// "DefaultUserName"; when flag is "1" "DefaultPassword" and the Run entry, otherwise their
// deletion; then "DefaultDomainName". A failing write ends the process with the earlier writes in
// place. Returns true.
bool SaveAutoLogon(std::u16string_view flag, std::u16string_view user, std::u16string_view password,
                   std::u16string_view domain);

// The Run entry's command for an executable in `directory`: the directory joined to
// "\Quenda.exe" with one backslash, in double quotes when the path contains a blank (so that
// Windows cannot run C:\Program.exe in its place).
std::u16string RunCommandFor(std::u16string_view directory);

}  // namespace quenda
