// Splitting a readme into lines: CR or CR LF ends a line, a lone LF does not.
#include "readme.h"

#include <algorithm>

#include "ansi_text.h"

namespace quenda {

std::u16string ReadmeText(std::string_view bytes) {
  // Decoded in one piece: no ANSI code page uses the CR byte inside a double-byte character.
  std::u16string decoded = FromAnsi(bytes);
  std::replace(decoded.begin(), decoded.end(), u'\0', u' ');
  std::u16string_view rest = decoded;
  std::u16string text;
  text.reserve(decoded.size() + decoded.size() / 8);
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find(u'\r'), rest.size());
    text += rest.substr(0, end);
    text += u"\r\n";
    std::size_t next = end + 1;
    if (next < rest.size() && rest[next] == u'\n')
      ++next;
    rest.remove_prefix(std::min(next, rest.size()));
  }
  return text;
}

}  // namespace quenda
