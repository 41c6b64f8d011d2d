// The registry routines: every registry access of Quenda passes through these.
//
// Each routine opens (or creates) its key, does one job and closes the key again; no handle
// outlives a call. Texts are converted to the ANSI code page on the way in and decoded on the way
// out. Writes return their status and never show anything: the caller decides how a failure
// reaches the user (CheckResult in the save step). Reads never fail visibly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "registry_boundary.h"

namespace quenda {

// What a read found, beyond the text it yields.
enum class ValueState : std::uint8_t {
  Missing,          // no such key or value: nothing is stored
  Shown,            // the text shows the stored value faithfully (an empty value included)
  Unrepresentable,  // a text with characters the ANSI code page cannot show: '?' in their place
  OtherType,        // a type the routines do not show as text (REG_EXPAND_SZ, REG_BINARY, ...)
  TooLong,          // data longer than the 1024 bytes the routines read
  Unreadable,       // the key or the value exists but may not be read (access denied, ...)
};

// True for a value that exists but that the text read does not show faithfully: writing that
// text back would destroy what is stored.
inline bool ShowsUnfaithfully(ValueState state) {
  return state != ValueState::Missing && state != ValueState::Shown;
}

// Reads one value as text into `value`.
// - REG_SZ: the data decoded from the ANSI code page, one final NUL dropped if present.
// - REG_DWORD: the number in unsigned decimal ("1", "261", "4294967295").
// - Another type, or a missing key or value: the empty text.
// Returns true when the read ran to its end. Returns false, leaving `value` as it was, when the
// data is empty or longer than 1024 bytes. Callers empty `value` before the call so that such a
// read leaves the empty text. When `state` is given it tells what the read found.
bool GetValue(registry::Key root, std::u16string_view path, std::u16string_view name,
              std::u16string& value, ValueState* state = nullptr);

// The most bytes a text may take in the ANSI code page, its terminating NUL included, and still
// be read back whole by GetValue.
inline constexpr std::size_t kMaxReadableBytes = 1024;

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

// Opens the keys an apply writes for writing and closes them again: the Winlogon key (created when
// missing) and the Run key, created when missing only when `autoLogon` is on. Turning the
// automatic logon off only deletes from the Run key, so a missing Run key is then left missing.
// Returns the first failure, or 0: called before the first write of an apply, so that a
// configuration is never half-written for want of rights.
registry::Status CheckWriteAccess(bool autoLogon);

// Writes the automatic-logon configuration in its fixed order: "AutoAdminLogon" = flag,
// "DefaultUserName"; when flag is "1" "DefaultPassword" and the Run entry `runCommand`, otherwise
// their deletion; then "DefaultDomainName". Stops at the first failing write and returns its
// status (the earlier writes stay); 0 when every step succeeded.
registry::Status SaveAutoLogon(std::u16string_view flag, TextToWrite user, TextToWrite password,
                               TextToWrite domain, std::u16string_view runCommand);

}  // namespace quenda
