// Reading, writing and restoring registry values from the driver (W APIs, real registry).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct HKEY__;

namespace quenda::e2e {

using RootKey = HKEY__*;
RootKey LocalMachine();
RootKey CurrentUser();

struct ValueLocation {
  RootKey root = nullptr;
  std::wstring path;
  std::wstring name;
};

// The value's text when it is a REG_SZ; nullopt when it is missing or of another type.
std::optional<std::wstring> ReadText(const ValueLocation& where);
// Stores `text` as REG_SZ (without terminating NUL: the way Quenda itself writes), creating the
// key.
void WriteText(const ValueLocation& where, std::wstring_view text);
void WriteNumber(const ValueLocation& where, std::uint32_t number);
void Delete(const ValueLocation& where);

// Remembers the values at `locations` (type and bytes, or that they are missing) and puts them
// back when it goes out of scope, so that every test leaves the registry as it found it.
class RegistrySnapshot {
 public:
  explicit RegistrySnapshot(std::vector<ValueLocation> locations);
  ~RegistrySnapshot();
  RegistrySnapshot(const RegistrySnapshot&) = delete;
  RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

 private:
  struct Saved {
    ValueLocation where;
    bool existed = false;
    unsigned long type = 0;
    std::vector<unsigned char> data;
  };
  std::vector<Saved> saved_;
};

}  // namespace quenda::e2e
