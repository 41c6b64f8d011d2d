// Fuzzes the password line: standard input read one byte at a time until InputLineEnded, then
// PasswordFromInput. The line decodes the same without what follows it, is refused as too long
// exactly when the reader passed the limit, a password it accepts holds no control character, and
// a printable ASCII line comes back as it is.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
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
  // Without a UTF-16 byte-order mark the reader stops after the first LF, or one byte past the
  // limit.
  const std::size_t lineFeed = bytes.find('\n');
  if (!bytes.starts_with("\xFF\xFE") && !bytes.starts_with("\xFE\xFF"))
    Require(read == std::min({lineFeed == bytes.npos ? size : lineFeed + 1, size,
                              quenda::kMaxInputLine + 1}));
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
