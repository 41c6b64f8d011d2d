// What the console fuzzers share: stopping the run on a broken property, and the control
// characters no name or password may hold (C0, DEL and C1), written out from their ranges.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string_view>

inline void Require(bool condition) {
  if (!condition)
    std::abort();
}

inline bool HasControl(std::u16string_view text) {
  return std::ranges::any_of(text, [](char16_t c) { return c < 0x20 || (0x7F <= c && c < 0xA0); });
}
