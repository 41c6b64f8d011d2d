// Fuzzes the password line: standard input read one byte at a time until InputLineEnded, then
// PasswordFromInput. The reader stops at the first line end (LF, or after a UTF-16 byte-order mark
// the code unit 000A) or one byte past the limit; the line decodes the same without what follows
// it; a password it accepts holds no control character; a printable ASCII line comes back as it is.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_oracle.h"
#include "password_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
  using quenda::PasswordRefusal;
  const std::string_view bytes(reinterpret_cast<const char*>(input), size);
  std::size_t read = 0;
  while (read < bytes.size() && !quenda::InputLineEnded(bytes.substr(0, read)))
    ++read;
  const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
  const std::string_view lineFeed =
      utf16 ? std::string_view(bytes[0] == '\xFF' ? "\n\0" : "\0\n", 2) : "\n";
  const auto lineEndsAt = [&](std::size_t end) {
    return end >= (utf16 ? 4 : 1) && end % lineFeed.size() == 0 &&
           bytes.substr(end - lineFeed.size(), lineFeed.size()) == lineFeed;
  };
  for (std::size_t end = 0; end < read; ++end)
    Require(!lineEndsAt(end));
  Require(read == bytes.size() || read == quenda::kMaxInputLine + 1 || lineEndsAt(read));

  const quenda::PasswordLine line = quenda::PasswordFromInput(bytes);
  const quenda::PasswordLine alone = quenda::PasswordFromInput(bytes.substr(0, read));
  Require(line.password == alone.password && line.refusal == alone.refusal);
  Require((line.refusal == PasswordRefusal::NoLine) == bytes.empty());
  Require((line.refusal == PasswordRefusal::TooLong) == (read > quenda::kMaxInputLine));
  Require(!HasControl(line.password) &&
          (line.refusal == PasswordRefusal::None || line.password.empty()));
  std::string_view text = bytes.substr(0, read);
  for (const char ending : {'\n', '\r'})
    text.remove_suffix(text.ends_with(ending) ? 1 : 0);
  if (!bytes.empty() && read <= quenda::kMaxInputLine &&
      std::ranges::all_of(text, [](char c) { return c >= 0x20 && c < 0x7F; }))
    Require(line.refusal == PasswordRefusal::None &&
            line.password == std::u16string(text.begin(), text.end()));
  return 0;
}
