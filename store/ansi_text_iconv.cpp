// ANSI code page conversion on hosts without Windows: iconv with a named code page.
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <string>

#include "ansi_text.h"
#include "ansi_text_iconv.h"

namespace quenda {
namespace {

std::string& CodePageName() {
  static std::string name = "WINDOWS-1252";
  return name;
}

// One conversion descriptor for the duration of a call.
class Converter {
 public:
  Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid())
      iconv_close(descriptor_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool valid() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `input`; on an unconvertible or incomplete sequence it emits `replacement` and
  // skips `skip` input bytes, so that nothing is dropped silently and the loop always ends.
  std::string Convert(std::string_view input, std::string_view replacement, std::size_t skip) {
    std::string output;
    char buffer[256];
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
      char* out = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t done = iconv(descriptor_, &in, &inLeft, &out, &outLeft);
      output.append(buffer, static_cast<std::size_t>(out - buffer));
      if (done != static_cast<std::size_t>(-1) || errno == E2BIG)
        continue;
      output.append(replacement);
      const std::size_t step = std::min(skip, inLeft);
      in += step;
      inLeft -= step;
      iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
    }
    return output;
  }

 private:
  iconv_t descriptor_;
};

}  // namespace

bool SetAnsiCodePage(const char* iconvName) {
  Converter probe("UTF-16LE", iconvName);
  if (!probe.valid())
    return false;
  CodePageName() = iconvName;
  return true;
}

std::string ToAnsi(std::u16string_view text) {
  std::string utf16le;
  utf16le.reserve(text.size() * 2);
  for (char16_t unit : text) {
    utf16le.push_back(static_cast<char>(unit & 0xFF));
    utf16le.push_back(static_cast<char>(unit >> 8));
  }
  Converter converter(CodePageName().c_str(), "UTF-16LE");
  return converter.Convert(utf16le, "?", 2);
}

std::u16string FromAnsi(std::string_view bytes) {
  Converter converter("UTF-16LE", CodePageName().c_str());
  const std::string utf16le = converter.Convert(bytes, std::string("\xFD\xFF", 2), 1);
  std::u16string text;
  text.reserve(utf16le.size() / 2);
  for (std::size_t i = 0; i + 1 < utf16le.size(); i += 2) {
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(utf16le[i]) |
                                         (static_cast<unsigned char>(utf16le[i + 1]) << 8)));
  }
  return text;
}

}  // namespace quenda
