// Test helpers that reach the registry through the boundary alone, so that the same checks run
// against the substitute and against the real registry under Wine.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "registry_boundary.h"

namespace quenda::testing {

// A scratch key under HKEY_CURRENT_USER that tests may fill and that ClearScratch removes.
inline constexpr char kScratchPath[] = "Software\\Quenda Tests\\Scratch";
inline constexpr char16_t kScratchPath16[] = u"Software\\Quenda Tests\\Scratch";

struct RawValue {
  std::uint32_t type = 0;
  std::string data;
  friend bool operator==(const RawValue&, const RawValue&) = default;
};

// The value as stored (read with a buffer large enough for anything the tests write), or nullopt
// when the key or value does not exist.
std::optional<RawValue> ReadRaw(registry::Key root, const std::string& path,
                                const std::string& name);

// Stores a value of any type with exactly these bytes, creating the key, as another program
// would.
void WriteRaw(registry::Key root, const std::string& path, const std::string& name,
              std::uint32_t type, const std::string& data);

// Stores `text` as REG_SZ, with its terminating NUL, the way a program using the wide API does:
// characters the ANSI code page cannot hold are kept (the backend's own way: the substitute's
// control interface, or RegSetValueExW).
void WriteWideText(registry::Key root, const std::string& path, const std::string& name,
                   std::u16string_view text);

// Removes the scratch key with everything below it (the backend's own way: this is not one of the
// six operations the product uses).
void ClearScratch();

// Switches the ANSI code page to 950 (Traditional Chinese, double-byte) where the backend lets a
// test choose it (the substitute), or reports whether the system already uses it (Windows, where
// Wine takes it from LC_ALL=zh_TW.UTF-8). RestoreCodePage undoes the switch.
bool UseDoubleByteCodePage();
void RestoreCodePage();

}  // namespace quenda::testing
