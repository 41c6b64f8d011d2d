// Conversion between the core's Unicode text and the system's ANSI code page.
//
// Registry paths, value names, text data and the readme files are bytes in the ANSI code page;
// everything in memory is UTF-16. On Windows the code page is CP_ACP. Elsewhere it is a named
// iconv code page, windows-1252 unless a test chooses another (CP950 for the double-byte tests).
#pragma once

#include <string>
#include <string_view>

namespace quenda {

// Encodes `text` in the ANSI code page. A character the code page cannot hold becomes '?' (or
// the system's best fit, a look-alike); FitsAnsi tells whether that happened.
std::string ToAnsi(std::u16string_view text);

// Decodes `bytes` from the ANSI code page. NUL bytes are kept as U+0000. A byte sequence the code
// page does not define decodes to a replacement character; nothing is dropped silently.
std::u16string FromAnsi(std::string_view bytes);

// True when `text` passes through the ANSI code page unchanged: only such a text may be written,
// since the registry would otherwise keep the replacement characters for good.
inline bool FitsAnsi(std::u16string_view text) {
  return FromAnsi(ToAnsi(text)) == text;
}

}  // namespace quenda
