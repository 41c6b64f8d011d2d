// Fuzzes the password line: standard input read one byte at a time until InputLineEnded, then
// PasswordFromInput. The reader must stop exactly at the end of the first line (or one byte past
// the limit) and the decoder must give what the rules give when worked out here another way: the
// line found by searching for the line end, UTF-8 validated and decoded by iconv, UTF-16 taken as
// byte pairs. The ANSI code page's own conversion is the store's (FromAnsi), tested there.
#include <iconv.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ansi_text.h"
#include "fuzz_oracle.h"
#include "password_line.h"

namespace {

using quenda::PasswordRefusal;

// `bytes` converted from UTF-8 by iconv, into the host's little-endian UTF-16; nullopt where iconv
// finds them invalid or incomplete.
std::optional<std::u16string> FromUtf8(std::string_view bytes) {
  const iconv_t converter = iconv_open("UTF-16LE", "UTF-8");
  Require(converter != reinterpret_cast<iconv_t>(-1));
  std::u16string text(bytes.size(), u'\0');  // a byte gives at most one code unit
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* out = reinterpret_cast<char*>(text.data());
  std::size_t outLeft = text.size() * 2;
  const bool converted =
      iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(converter);
  text.resize(text.size() - outLeft / 2);
  return converted ? std::optional(text) : std::nullopt;
}

struct Expectation {
  std::size_t lineLength;  // the bytes a reader takes
  std::u16string password;
  PasswordRefusal refusal;
};

Expectation Expected(std::string_view bytes) {
  if (bytes.empty())
    return {0, u"", PasswordRefusal::NoLine};
  const bool littleEndian = bytes.starts_with("\xFF\xFE");
  const bool utf16 = littleEndian || bytes.starts_with("\xFE\xFF");
  // The first line: up to the first LF byte, or after a UTF-16 byte-order mark the first code
  // unit 000A (at an even offset).
  std::size_t end = std::min(bytes.find('\n'), bytes.size() - 1) + 1;
  if (utf16) {
    const std::string_view lineFeed(littleEndian ? "\n\0" : "\0\n", 2);
    end = bytes.size();
    for (std::size_t i = 2; i + 1 < bytes.size() && end == bytes.size(); i += 2)
      end = bytes.substr(i, 2) == lineFeed ? i + 2 : end;
  }
  if (end > quenda::kMaxInputLine)
    return {quenda::kMaxInputLine + 1, u"", PasswordRefusal::TooLong};
  std::string_view line = bytes.substr(0, end);
  std::optional<std::u16string> text;
  if (utf16 && line.size() % 2 == 0) {  // an odd length ends inside a code unit
    // Unpaired surrogates are kept as they are (the save step refuses them later).
    text.emplace();
    for (std::size_t i = 2; i < line.size(); i += 2) {
      const auto first = static_cast<unsigned char>(line[i]);
      const auto second = static_cast<unsigned char>(line[i + 1]);
      text->push_back(
          static_cast<char16_t>(littleEndian ? second << 8 | first : first << 8 | second));
    }
  } else if (!utf16) {
    for (const char ending : {'\n', '\r'})
      line.remove_suffix(line.ends_with(ending) ? 1 : 0);
    line.remove_prefix(line.starts_with("\xEF\xBB\xBF") ? 3 : 0);
    text = FromUtf8(line);
    if (!text)
      text = quenda::FromAnsi(line);
  }
  for (const char16_t ending : {u'\n', u'\r'}) {
    if (utf16 && text && text->ends_with(ending))
      text->pop_back();
  }
  if (!text || std::ranges::any_of(*text, IsControl))
    return {end, u"", PasswordRefusal::ControlCharacter};
  return {end, *text, PasswordRefusal::None};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(input), size);
  std::size_t read = 0;
  while (read < bytes.size() && !quenda::InputLineEnded(bytes.substr(0, read)))
    ++read;
  const Expectation expected = Expected(bytes);
  Require(read == std::min(expected.lineLength, bytes.size()));
  for (const std::string_view given : {bytes, bytes.substr(0, read)}) {
    const quenda::PasswordLine line = quenda::PasswordFromInput(given);
    Require(line.refusal == expected.refusal);
    Require(line.password == expected.password);
  }
  return 0;
}
