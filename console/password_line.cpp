// Decoding the password line from standard input.
#include "password_line.h"

#include <optional>
#include <utility>

#include "ansi_text.h"

namespace quenda {
namespace {

// `bytes` decoded as UTF-8, or nullopt when they are not valid UTF-8 (a stray continuation
// byte, a truncated or overlong sequence, an encoded surrogate or a code point past U+10FFFF).
std::optional<std::u16string> DecodeUtf8(std::string_view bytes) {
  std::u16string text;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || i + length > bytes.size())
      return std::nullopt;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80)
        return std::nullopt;
      code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return std::nullopt;
    if (code >= 0x10000) {
      code -= 0x10000;
      text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      text.push_back(static_cast<char16_t>(code));
    }
    i += length;
  }
  return text;
}

}  // namespace

std::u16string PasswordFromInput(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\n'));
  if (bytes.ends_with('\r'))
    bytes.remove_suffix(1);
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (bytes.starts_with(kByteOrderMark))
    bytes.remove_prefix(kByteOrderMark.size());
  if (std::optional<std::u16string> text = DecodeUtf8(bytes))
    return *std::move(text);
  return FromAnsi(bytes);
}

std::u16string_view FirstLine(std::u16string_view typed) {
  return typed.substr(0, typed.find_first_of(u"\r\n"));
}

}  // namespace quenda
