// Boundary-only registry helpers shared by the store tests.
#include "raw_registry.h"

#include <vector>

namespace quenda::testing {

std::optional<RawValue> ReadRaw(registry::Key root, const std::string& path,
                                const std::string& name) {
  registry::Key key = 0;
  if (registry::OpenKey(root, path, 0, registry::kReadAccess, &key) != registry::kSuccess) {
    return std::nullopt;
  }
  std::vector<unsigned char> buffer(64 * 1024);
  std::uint32_t type = 0;
  auto length = static_cast<std::uint32_t>(buffer.size());
  const registry::Status status = registry::QueryValue(key, name, &type, buffer.data(), &length);
  registry::CloseKey(key);
  if (status != registry::kSuccess)
    return std::nullopt;
  return RawValue{type, std::string(reinterpret_cast<const char*>(buffer.data()), length)};
}

void WriteRaw(registry::Key root, const std::string& path, const std::string& name,
              std::uint32_t type, const std::string& data) {
  registry::Key key = 0;
  const registry::SecurityAttributes security{};
  if (registry::CreateKey(root, path, 0, nullptr, 0, registry::kAllAccess, &security, &key,
                          nullptr) != registry::kSuccess) {
    return;
  }
  // A non-NUL byte after the data keeps Windows from counting a terminating NUL of its own.
  const std::string padded = data + '\x01';
  registry::SetValue(key, name, 0, type, reinterpret_cast<const unsigned char*>(padded.data()),
                     static_cast<std::uint32_t>(data.size()));
  registry::CloseKey(key);
}

}  // namespace quenda::testing
