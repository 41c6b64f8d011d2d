// The registry routines: every registry access of Quenda passes through these.
//
// Each routine opens (or creates) its key, does one job and closes the key again; no handle
// outlives a call. Texts are converted to the ANSI code page on the way in and decoded on the way
// out. Writes return their status and never show anything: the caller decides how a failure
// reaches the user (CheckResult in the save step). Reads never fail visibly.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "registry_boundary.h"

namespace quenda {

// Reads one value as text into `value`.
// - REG_SZ: the data decoded from the ANSI code page, one final NUL dropped if present.
// - REG_DWORD: the number in unsigned decimal ("1", "261", "4294967295").
// - Another type, or a missing key or value: the empty text.
// Returns true when the read ran to its end. Returns false, leaving `value` as it was, when the
// data is empty or longer than 1024 bytes. Callers empty `value` before the call so that such a
// read leaves the empty text. When `unrepresentable` is given it tells whether the stored text
// holds characters the code page cannot show; `value` then has '?' in their place.
bool GetValue(registry::Key root, std::u16string_view path, std::u16string_view name,
              std::u16string& value, bool* unrepresentable = nullptr);

// Writes `text` as REG_SZ, without a terminating NUL, creating the key when it is missing, and
// returns the status of the first step that failed (creating or opening the key, writing the
// value) or 0. An empty text deletes the value instead and returns DeleteValue's status. A text
// the ANSI code page cannot hold is not written at all: kNoUnicodeTranslation.
registry::Status SetValue(registry::Key root, std::u16string_view path, std::u16string_view name,
                          std::u16string_view text);

// Deletes one value. 0 when it is gone afterwards (deleted, or there was no such key or value);
// any other failure, such as denied access, is returned.
registry::Status DeleteValue(registry::Key root, std::u16string_view path,
                             std::u16string_view name);

// A text to write, or nullopt to leave the stored value as it is.
using TextToWrite = std::optional<std::u16string_view>;

// Opens the Winlogon key and the Run key for writing (creating them when missing) and closes them
// again. Returns the first failure, or 0: called before the first write of an apply, so that a
// configuration is never half-written for want of rights.
registry::Status CheckWriteAccess();

// Writes the automatic-logon configuration in its fixed order: "AutoAdminLogon" = flag,
// "DefaultUserName"; when flag is "1" "DefaultPassword" and the Run entry `runCommand`, otherwise
// their deletion; then "DefaultDomainName". Stops at the first failing write and returns its
// status (the earlier writes stay); 0 when every step succeeded.
registry::Status SaveAutoLogon(std::u16string_view flag, TextToWrite user, TextToWrite password,
                               TextToWrite domain, std::u16string_view runCommand);

}  // namespace quenda
