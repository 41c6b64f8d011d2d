// The text of "quenda /status".
#pragma once

#include <string>

#include "password_location.h"
#include "stored_settings.h"

namespace quenda {

// One "Label: value" line ("Label:" for an empty value) per status_text label, each ended by
// CR LF, in the language IsChinese selects. The password shows only as where it is kept, never as
// its text.
// A control character in a stored text shows written out ("\r", "\x01"), never as it is.
std::u16string StatusReport(const StoredSettings& stored, PasswordLocation password);

}  // namespace quenda
