// Fuzzes GetValue over arbitrary stored types and data on the substitute registry, checking the
// result against the reading rules rather than only looking for crashes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ansi_text.h"
#include "platform_headless.h"
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
  static HeadlessPlatform platform;

  // First byte: the stored type (small numbers, so the interesting ones come up often).
  const std::uint32_t type = input[0] % 12;
  const std::string data(reinterpret_cast<const char*>(input + 1), size - 1);
  memory::Reset();
  memory::PutValue(registry::kCurrentUser, u"Software\\Fuzz", u"Value", type, data);

  std::u16string value = u"untouched";
  const bool read = GetValue(registry::kCurrentUser, u"Software\\Fuzz", u"Value", value);

  const bool readable = !data.empty() && data.size() <= 1024;
  Require(read == readable);
  Require(memory::OpenHandleCount() == 0);
  if (!readable) {
    Require(value == u"untouched");
    return 0;
  }
  std::string bytes = data;
  if (bytes.back() == '\0')
    bytes.pop_back();
  if (type == registry::kTypeSz) {
    Require(value == FromAnsi(bytes));
  } else if (type == registry::kTypeDword) {
    std::uint64_t number = 0;
    for (std::size_t i = std::min<std::size_t>(bytes.size(), 4); i-- > 0;) {
      number = number * 256 + static_cast<unsigned char>(bytes[i]);
    }
    std::u16string digits;
    for (char c : std::to_string(number))
      digits.push_back(static_cast<char16_t>(c));
    Require(value == digits);
  } else {
    Require(value.empty());
  }
  return 0;
}
