// Copies between the core's UTF-16 text (std::u16string) and the wide strings of the W APIs.
// On Windows both are UTF-16 code units; copying keeps the two types apart without casts.
#pragma once

#include <string>
#include <string_view>

namespace quenda::win32 {

inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

inline std::u16string Utf16(std::wstring_view text) {
  return std::u16string(text.begin(), text.end());
}

}  // namespace quenda::win32
