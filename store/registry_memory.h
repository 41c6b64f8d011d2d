// Control of the in-memory substitute registry (host builds only).
//
// The substitute answers the six boundary operations the way Windows does for everything the
// routines observe. Tests use this interface to lay out what "others stored", to read back what
// the routines wrote, and to make any single call fail.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "registry.h"

namespace quenda::registry::memory {

enum class Operation : std::uint8_t { Open, Create, Query, Set, Delete, Close };

struct StoredValue {
  std::uint32_t type = kTypeNone;
  std::string data;  // the bytes as stored
  friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// Empties the store (the predefined roots stay), closes every handle, forgets the faults and the
// call counts.
void Reset();

// Makes the `occurrence`-th call of `operation` (counted from 1 since the last Reset) fail with
// `status`, without any other effect. Several faults may be armed at once.
void FailCall(Operation operation, int occurrence, Status status);

// How many calls of `operation` were made since the last Reset.
int CallCount(Operation operation);

// Handles opened or created and not closed yet.
int OpenHandleCount();

// Stores a value of any type directly, with exactly these bytes, creating the keys on the way, as
// another program would.
// Paths and names are given as Unicode and kept as the substitute keeps them.
void PutValue(Key root, std::u16string_view path, std::u16string_view name, std::uint32_t type,
              std::string data);

// The value as stored, or nullopt when the key or the value does not exist.
std::optional<StoredValue> FindValue(Key root, std::u16string_view path, std::u16string_view name);

// Every value in the store, keyed "HKLM\path\name" or "HKCU\path\name" with the path and name in
// lower case, so that tests can compare the whole registry before and after.
std::map<std::u16string, StoredValue> Snapshot();

// What the last successful or failed CreateKey call was given, so tests can check the arguments
// the routines pass.
struct CreateArguments {
  std::uint32_t reserved = 0;
  std::optional<std::string> className;
  std::uint32_t options = 0;
  std::uint32_t access = 0;
  bool securityGiven = false;
  bool inheritHandle = false;
  bool securityDescriptorNull = false;
};
CreateArguments LastCreateArguments();

// The access mask of the last OpenKey call.
std::uint32_t LastOpenAccess();

// The data length the last SetValue call was given (before the substitute, like Windows, counted
// a terminating NUL that follows the data).
std::uint32_t LastSetLength();

}  // namespace quenda::registry::memory
