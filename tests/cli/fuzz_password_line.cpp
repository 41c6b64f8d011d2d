// Fuzzes the password line: standard input read one byte at a time until InputLineEnded, then
// PasswordFromInput. The reader must stop exactly at the end of the first line (or one byte past
// the limit) and the decoder must give what the rules give when worked out here another way: the
// line found by searching for the line end, UTF-8 and UTF-16 decoded by iconv. The ANSI code
// page's own conversion is the store's (FromAnsi), tested there.
#include <iconv.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "ansi_text.h"
#include "password_line.h"

namespace {

using quenda::PasswordRefusal;

void Require(bool condition) {
  if (!condition)
    std::abort();
}

// `bytes` converted by iconv from `encoding` to UTF-16; nullopt where iconv finds them invalid or
// incomplete.
std::optional<std::u16string> Iconv(const char* encoding, std::string_view bytes) {
  const iconv_t converter = iconv_open("UTF-16LE", encoding);
  Require(converter != reinterpret_cast<iconv_t>(-1));
  std::string output(bytes.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  char* out = output.data();
  std::size_t outLeft = output.size();
  const bool converted =
      iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
  iconv_close(converter);
  if (!converted)
    return std::nullopt;
  output.resize(output.size() - outLeft);
  std::u16string text;
  for (std::size_t i = 0; i + 1 < output.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(output[i]) |
                                         static_cast<unsigned char>(output[i + 1]) << 8));
  }
  return text;
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
  std::size_t end = bytes.size();
  if (!utf16) {
    const std::size_t lineFeed = bytes.find('\n');
    end = lineFeed == std::string_view::npos ? bytes.size() : lineFeed + 1;
  } else {
    const std::string_view lineFeed = std::string_view(littleEndian ? "\n\0" : "\0\n", 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
      if (bytes.substr(i, 2) == lineFeed) {
        end = i + 2;
        break;
      }
    }
  }
  if (end > quenda::kMaxInputLine)
    return {quenda::kMaxInputLine + 1, u"", PasswordRefusal::TooLong};
  std::string_view line = bytes.substr(0, end);
  std::optional<std::u16string> text;
  if (utf16) {
    text = Iconv(littleEndian ? "UTF-16LE" : "UTF-16BE", line.substr(2));
    // iconv refuses unpaired surrogates, which the line keeps as they are (and the save step
    // refuses later): only an odd length is an incomplete code unit.
    if (!text && line.size() % 2 == 0) {
      text.emplace();
      for (std::size_t i = 2; i < line.size(); i += 2) {
        const auto high = static_cast<unsigned char>(line[littleEndian ? i + 1 : i]);
        const auto low = static_cast<unsigned char>(line[littleEndian ? i : i + 1]);
        text->push_back(static_cast<char16_t>(high << 8 | low));
      }
    }
    for (const std::u16string_view ending : {u"\n", u"\r"}) {
      if (text && text->ends_with(ending))
        text->pop_back();
    }
  } else {
    for (const char ending : {'\n', '\r'}) {
      if (line.ends_with(ending))
        line.remove_suffix(1);
    }
    if (line.starts_with("\xEF\xBB\xBF"))
      line.remove_prefix(3);
    text = Iconv("UTF-8", line);
    if (!text)
      text = quenda::FromAnsi(line);
  }
  if (!text)
    return {end, u"", PasswordRefusal::ControlCharacter};
  for (const char16_t c : *text) {
    if (c < 0x20 || (c >= 0x7F && c < 0xA0))
      return {end, u"", PasswordRefusal::ControlCharacter};
  }
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
