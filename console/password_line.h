// The password of "quenda /enable" as standard input carries it.
#pragma once

#include <string>
#include <string_view>

namespace quenda {

// The most standard input is read for one password line; the registry keeps at most 1024 bytes.
inline constexpr std::size_t kMaxInputLine = 4096;

// The first line of `bytes`: up to the first LF, a CR before it dropped, a UTF-8 byte-order mark
// at the start dropped. Decoded as UTF-8 when it is valid UTF-8 (as PowerShell 7 and most
// automation tools send it), otherwise from the ANSI code page (as cmd's redirection of a file
// saved by Notepad in ANSI sends it). Plain ASCII reads the same either way.
std::u16string PasswordFromInput(std::string_view bytes);

// The first line of a text typed at a console, without its line end.
std::u16string_view FirstLine(std::u16string_view typed);

}  // namespace quenda
