// Control of the in-memory substitute for the protected password (host builds only).
//
// Tests lay out whether a secret exists and what it holds, read back what the save step left,
// make any single call fail, and count the calls, so that they can tell an apply that opened the
// LSA policy for writing from one that did not.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "call_faults.h"
#include "secret_store.h"

namespace quenda::secret::memory {

enum class Operation : std::uint8_t { CheckStoreAccess, Retrieve, Store };

// No secret, no faults, no calls counted.
void Reset();

// The store's call faults, for FailCall and CallCount.
CallFaults<Operation, 3>& Faults(Operation);
using quenda::CallCount;
using quenda::FailCall;

// Lays out the secret as another tool left it: its text, or nullopt for none.
void PutSecret(std::optional<std::u16string> password);

// The secret as stored, or nullopt when there is none.
std::optional<std::u16string> FindSecret();

}  // namespace quenda::secret::memory
