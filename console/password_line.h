// The password of "quenda /enable" as standard input carries it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quenda {

// The longest password line standard input may hold, its line end included; a longer one is
// refused, never cut. (The registry keeps at most 1024 bytes.)
inline constexpr std::size_t kMaxInputLine = 4096;

// True once `bytes`, read from the start of standard input one byte at a time, hold its whole
// first line: they end with the line's LF, or are longer than kMaxInputLine, which makes the line
// over-long. After a UTF-16 byte-order mark the LF is the code unit U+000A, two bytes. A reader
// that stops here takes nothing after the first line from an input it shares.
bool InputLineEnded(std::string_view bytes);

// Why standard input holds no password that can be stored.
enum class PasswordRefusal : std::uint8_t {
  None,
  NoLine,            // no byte at all: a blank password is an empty line
  TooLong,           // the first line is longer than kMaxInputLine bytes
  ControlCharacter,  // a NUL or another control character, or an incomplete UTF-16 code unit
};

struct PasswordLine {
  std::u16string password;  // empty when refused
  PasswordRefusal refusal = PasswordRefusal::None;
};

// The password in the first line of `bytes` (as InputLineEnded delimits it), without its LF and
// a CR before it. The encoding:
// - a UTF-16 byte-order mark (FF FE little-endian, FE FF big-endian), as Windows PowerShell 5.1
//   writes files: UTF-16 in that byte order;
// - otherwise UTF-8 when the line is valid UTF-8 (as PowerShell 7 and most automation tools send
//   it), a UTF-8 byte-order mark dropped;
// - otherwise the ANSI code page (as cmd's redirection of a file saved by Notepad in ANSI sends
//   it). Plain ASCII reads the same either way.
// A refused line gives no password, so that nothing is stored but what was meant.
PasswordLine PasswordFromInput(std::string_view bytes);

// The first line of a text typed at a console, without its line end.
std::u16string_view FirstLine(std::u16string_view typed);

}  // namespace quenda
