// Fuzzes GetValue over arbitrary stored types and data on the substitute registry, checking the
// result against the reading rules rather than only looking for crashes. The expected text is
// worked out here from windows-1252 directly, not with the conversion under test.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "registry_memory.h"
#include "registrys.h"

namespace {

void Require(bool condition) {
  if (!condition)
    std::abort();
}

// windows-1252 as Windows decodes it: Latin-1 except the block 0x80-0x9F.
char16_t Cp1252(unsigned char byte) {
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
  using namespace quenda;
  namespace memory = registry::memory;
  if (size < 1)
    return 0;
  // First byte: the stored type (small numbers, so the interesting ones come up often); the rest
  // is the data. The path and the name are ASCII, which the ANSI conversion keeps as it is.
  const std::uint32_t type = input[0] % 12;
  const std::string data(reinterpret_cast<const char*>(input) + 1, size - 1);
  memory::Reset();
  memory::PutValue(registry::kCurrentUser, u"Software\\Fuzz 1\\b", u"v 2", type, data);
  std::u16string value = u"untouched";
  const bool read = GetValue(registry::kCurrentUser, u"Software\\Fuzz 1\\b", u"v 2", value);

  const bool readable = !data.empty() && data.size() <= 1024;
  Require(read == readable);
  Require(memory::OpenHandleCount() == 0);
  if (!readable) {
    Require(value == u"untouched");
    return 0;
  }
  const std::string bytes = data.substr(0, data.size() - (data.back() == '\0'));
  std::u16string expected;
  if (type == registry::kTypeSz) {
    Require(value.size() == bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const char16_t c = Cp1252(static_cast<unsigned char>(bytes[i]));
      // Windows maps the five bytes windows-1252 leaves undefined to control characters; iconv
      // gives the replacement character. Either is a faithful "no such character".
      const bool undefined = c >= 0x80 && c < 0xA0;
      expected.push_back(undefined && value[i] == 0xFFFD ? 0xFFFD : c);
    }
  } else if (type == registry::kTypeDword) {
    std::uint64_t number = 0;
    for (std::size_t i = std::min<std::size_t>(bytes.size(), 4); i-- > 0;)
      number = number * 256 + static_cast<unsigned char>(bytes[i]);
    for (char c : std::to_string(number))
      expected.push_back(static_cast<char16_t>(c));
  }
  Require(value == expected);
  return 0;
}
