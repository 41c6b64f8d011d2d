// What the console fuzzers' oracles share: stopping the run on a broken rule, and the control
// characters no name or password may hold (C0, DEL and C1), written out from their ranges.
#pragma once

#include <cstdlib>

inline void Require(bool condition) {
  if (!condition)
    std::abort();
}

inline bool IsControl(char16_t c) {
  return c < 0x20 || (0x7F <= c && c < 0xA0);
}
