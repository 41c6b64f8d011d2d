// The text of "quenda /status /json": the status and the readiness report as one JSON object, for
// scripts.
#pragma once

#include <string>
#include <string_view>

#include "readiness.h"
#include "stored_settings.h"

namespace quenda {

// One JSON object on one line, ended by CR LF, with stable English keys: computerName, autoLogon,
// userName, domainName, automatic, runEntry (null when there is none), passwordStored (given:
// "registry" or "none"), ready, blockers and warnings (arrays of {"value": its full path, "text":
// the finding in the language IsChinese selects}). Never the password.
// The text is plain ASCII, every other character escaped (JsonString), so it is the same bytes in
// UTF-8 and in any ANSI or OEM code page a console, a pipe or PowerShell decodes it with.
std::u16string StatusJson(const StoredSettings& stored, std::u16string_view passwordStored,
                          const Readiness& readiness);

// `text` as a JSON string in double quotes: '"' and '\' escaped with a backslash, every control
// character and every character beyond ASCII as \uXXXX (UTF-16 code units, so a character beyond
// the Basic Multilingual Plane as its surrogate pair).
std::u16string JsonString(std::u16string_view text);

}  // namespace quenda
