// The core's UTF-16 text (std::u16string) at the W APIs.
//
// On Windows wchar_t and char16_t are both 16-bit UTF-16 code units, so a char16_t buffer is handed
// to the W APIs as it is, by a pointer cast. Copying into std::wstring instead would link a second
// string class into each program for nothing.
#pragma once

#include <string>
#include <string_view>

namespace quenda::win32 {

inline const wchar_t* AsWide(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}
inline wchar_t* AsWide(char16_t* text) {
  return reinterpret_cast<wchar_t*>(text);
}

// A NUL-terminated copy of `text` for the W APIs: Wide(text).c_str(). data() is writable, for the
// APIs that may write into their argument (CreateProcessW's command line).
class Wide {
 public:
  explicit Wide(std::u16string_view text) : text_(text) {}
  const wchar_t* c_str() const { return AsWide(text_.c_str()); }
  wchar_t* data() { return AsWide(text_.data()); }

 private:
  std::u16string text_;
};

// `length` code units a W API wrote, as the core's text.
inline std::u16string Utf16(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
inline std::u16string Utf16(const wchar_t* text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text));
}

}  // namespace quenda::win32
