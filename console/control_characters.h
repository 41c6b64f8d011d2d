// Control characters in the texts the command line takes and shows.
//
// A password or a name holding one cannot be what was meant: a NUL ends the text for Windows, a
// line break makes /status print a line of its own, and none can be typed at the logon screen.
#pragma once

#include <algorithm>
#include <string_view>

namespace quenda {

// The characters Unicode classes as controls: C0 (U+0000-U+001F), DEL and C1 (U+0080-U+009F).
constexpr bool IsControlCharacter(char16_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

inline bool HasControlCharacter(std::u16string_view text) {
  return std::any_of(text.begin(), text.end(), IsControlCharacter);
}

}  // namespace quenda
