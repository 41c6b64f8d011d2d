// Fuzzes GetValue over arbitrary stored types and data on the substitute registry. Whatever is
// stored, no handle stays open; a value is read only when its data fits the routines' 1024-byte
// buffer, and otherwise the text keeps what it held; a number reads as its decimal digits (the
// bytes little-endian), and a text of printable ASCII reads back as it is, without its NUL.
#include <algorithm>
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
  using namespace quenda;
  namespace memory = registry::memory;
  if (size < 1)
    return 0;
  // First byte: the stored type (small numbers, so the interesting ones come up often).
  const std::uint32_t type = input[0] % 12;
  const std::string data(reinterpret_cast<const char*>(input) + 1, size - 1);
  memory::Reset();
  memory::PutValue(registry::kCurrentUser, u"Software\\Fuzz", u"v", type, data);
  std::u16string value = u"untouched";
  const bool read = GetValue(registry::kCurrentUser, u"Software\\Fuzz", u"v", value);
  Require(memory::OpenHandleCount() == 0);
  Require(read == (!data.empty() && data.size() <= 1024));
  if (!read) {
    Require(value == u"untouched");
    return 0;
  }
  const std::string bytes = data.substr(0, data.size() - (data.back() == '\0'));
  if (type == registry::kTypeDword) {
    std::uint64_t number = 0;
    for (std::size_t i = std::min<std::size_t>(bytes.size(), 4); i-- > 0;)
      number = number * 256 + static_cast<unsigned char>(bytes[i]);
    const std::string digits = std::to_string(number);
    Require(value == std::u16string(digits.begin(), digits.end()));
  } else if (type == registry::kTypeSz &&
             std::ranges::all_of(bytes, [](char c) { return ' ' <= c && c <= '~'; })) {
    Require(value == std::u16string(bytes.begin(), bytes.end()));
  }
  return 0;
}
