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

#include "call_faults.h"
#include "registry_boundary.h"

namespace quenda::registry::memory {

// OpenForWriting counts the calls of Open that ask for more than the right to read (kReadAccess),
// besides counting them as Open.
enum class Operation : std::uint8_t { Open, Create, Query, Set, Delete, Close, OpenForWriting };

struct StoredValue {
  std::uint32_t type = kTypeNone;
  std::string data;  // the bytes as stored (for text, as the ANSI entry points read them)
  // A text another program stored through the wide API with characters the ANSI code page cannot
  // show: `data` then holds '?' in their place, and reading it reports kNoUnicodeTranslation.
  bool unrepresentable = false;
  friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// Empties the store (the predefined roots stay), closes every handle, forgets the faults and the
// call counts.
void Reset();

// The store's call faults, for FailCall and CallCount.
CallFaults<Operation, 7>& Faults(Operation);
using quenda::CallCount;
using quenda::FailCall;

// Handles opened or created and not closed yet.
int OpenHandleCount();

// Stores a value of any type directly, with exactly these bytes, creating the keys on the way, as
// another program would.
// Paths and names are given as Unicode and kept as the substitute keeps them.
void PutValue(Key root, std::u16string_view path, std::u16string_view name, std::uint32_t type,
              std::string data);

// Stores `text` as REG_SZ the way a program using the wide API would (with its terminating NUL).
void PutText(Key root, std::u16string_view path, std::u16string_view name,
             std::u16string_view text);

// The value as stored, or nullopt when the key or the value does not exist.
std::optional<StoredValue> FindValue(Key root, std::u16string_view path, std::u16string_view name);

// Every value in the store, keyed "HKLM\path\name" or "HKCU\path\name" with the path and name in
// lower case, so that tests can compare the whole registry before and after.
std::map<std::u16string, StoredValue> Snapshot();

}  // namespace quenda::registry::memory
