// Decoding the password line from standard input.
#include "password_line.h"

#include <optional>
#include <utility>

#include "ansi_text.h"
#include "control_characters.h"

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

enum class Encoding : std::uint8_t { Bytes, Utf16LittleEndian, Utf16BigEndian };

// The encoding a line's byte-order mark announces; Bytes (UTF-8 or ANSI) without a UTF-16 one.
Encoding EncodingOf(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE"))
    return Encoding::Utf16LittleEndian;
  if (bytes.starts_with("\xFE\xFF"))
    return Encoding::Utf16BigEndian;
  return Encoding::Bytes;
}

// The UTF-16 code unit at bytes[i] and bytes[i + 1].
char16_t UnitAt(std::string_view bytes, std::size_t i, Encoding encoding) {
  const auto first = static_cast<unsigned char>(bytes[i]);
  const auto second = static_cast<unsigned char>(bytes[i + 1]);
  return static_cast<char16_t>(encoding == Encoding::Utf16LittleEndian ? first | second << 8
                                                                       : first << 8 | second);
}

// The text of a line without its line end, or nullopt for a line that ends inside a UTF-16 code
// unit.
std::optional<std::u16string> DecodeLine(std::string_view line) {
  const Encoding encoding = EncodingOf(line);
  if (encoding == Encoding::Bytes) {
    if (line.ends_with('\n'))
      line.remove_suffix(1);
    if (line.ends_with('\r'))
      line.remove_suffix(1);
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (line.starts_with(kByteOrderMark))
      line.remove_prefix(kByteOrderMark.size());
    if (std::optional<std::u16string> text = DecodeUtf8(line))
      return text;
    return FromAnsi(line);
  }
  if (line.size() % 2 != 0)
    return std::nullopt;
  std::u16string text;
  for (std::size_t i = 2; i < line.size(); i += 2)
    text.push_back(UnitAt(line, i, encoding));
  if (text.ends_with(u'\n'))
    text.pop_back();
  if (text.ends_with(u'\r'))
    text.pop_back();
  return text;
}

}  // namespace

bool InputLineEnded(std::string_view bytes) {
  if (bytes.size() > kMaxInputLine)
    return true;
  const Encoding encoding = EncodingOf(bytes);
  if (encoding == Encoding::Bytes)
    return bytes.ends_with('\n');
  return bytes.size() >= 4 && bytes.size() % 2 == 0 &&
         UnitAt(bytes, bytes.size() - 2, encoding) == u'\n';
}

PasswordLine PasswordFromInput(std::string_view bytes) {
  if (bytes.empty())
    return {u"", PasswordRefusal::NoLine};
  std::size_t length = 1;
  while (length < bytes.size() && !InputLineEnded(bytes.substr(0, length)))
    ++length;
  if (length > kMaxInputLine)
    return {u"", PasswordRefusal::TooLong};
  std::optional<std::u16string> text = DecodeLine(bytes.substr(0, length));
  if (!text || HasControlCharacter(*text))
    return {u"", PasswordRefusal::ControlCharacter};
  return {*std::move(text), PasswordRefusal::None};
}

std::u16string_view FirstLine(std::u16string_view typed) {
  return typed.substr(0, typed.find_first_of(u"\r\n"));
}

}  // namespace quenda
