// Control of the in-memory substitute for the protected password (host builds only).
//
// Tests lay out whether a secret exists and what it holds, read back what the save step left,
// make any single call fail, and count the calls, so that they can tell an apply that opened the
// LSA policy for writing from one that did not.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "secret_store.h"

namespace quenda::secret::memory {

enum class Operation : std::uint8_t { CheckStoreAccess, Retrieve, Store };

// No secret, no faults, no calls counted.
void Reset();

// Makes the `occurrence`-th call of `operation` (counted from 1 since the last Reset) fail with
// `status`, without any other effect.
void FailCall(Operation operation, int occurrence, Status status);

// How many calls of `operation` were made since the last Reset.
int CallCount(Operation operation);

// Lays out the secret as another tool left it: its text, or nullopt for none.
void PutSecret(std::optional<std::u16string> password);

// The secret as stored, or nullopt when there is none.
std::optional<std::u16string> FindSecret();

}  // namespace quenda::secret::memory
