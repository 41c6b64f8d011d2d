// Whether an apply would change anything: the values it would write, compared with what is
// stored, through read access only.
//
// An apply that would leave every value as it is needs no right to write, so the save step skips
// it entirely: a standard user's logon then re-applies an unchanged configuration quietly.
#pragma once

#include <string_view>

#include "registrys.h"

namespace quenda {

// True when value `name` already holds what SetValue(root, path, name, text) would leave there:
// - a text: a REG_SZ value of exactly its bytes in the ANSI code page, stored with one terminating
//   NUL or none (Windows reads both alike, and SetValue's own write leaves the NUL);
// - the empty text: no such value (SetValue deletes it);
// - nullopt, a value the apply leaves as it is: always.
// Anything else, a value that may not be read included, does not hold. `text` must pass through
// the ANSI code page unchanged (FitsAnsi), as every text the save step lets through does.
bool ValueHolds(registry::Key root, std::u16string_view path, std::u16string_view name,
                TextToWrite text);

// True when SaveAutoLogon with the first five arguments, followed by the program's flag
// ("Quenda" in the Winlogon key) written as `automatic`, would leave every value it writes or
// deletes as it is.
bool AutoLogonHolds(std::u16string_view flag, TextToWrite user, TextToWrite password,
                    TextToWrite domain, std::u16string_view runCommand,
                    std::u16string_view automatic);

}  // namespace quenda
