// The substitute for the protected password: one optional text, with the calls counted and any
// one of them made to fail.
#include "secret_memory.h"

namespace quenda::secret {
namespace {

struct Store {
  std::optional<std::u16string> secret;
  CallFaults<memory::Operation, 3> faults;
};

Store& TheStore() {
  static Store store;
  return store;
}

// Counts the call and returns the armed failure for it, or kSuccess.
Status CountCall(memory::Operation operation) {
  return TheStore().faults.Count(operation).value_or(kSuccess);
}

}  // namespace

Status CheckStoreAccess() {
  return CountCall(memory::Operation::CheckStoreAccess);
}

Status RetrieveSecret(std::u16string& password) {
  if (const Status fault = CountCall(memory::Operation::Retrieve))
    return fault;
  if (!TheStore().secret)
    return kNotFound;
  password = *TheStore().secret;
  return kSuccess;
}

Status StoreSecret(std::optional<std::u16string_view> password) {
  if (const Status fault = CountCall(memory::Operation::Store))
    return fault;
  TheStore().secret = password ? std::optional<std::u16string>(*password) : std::nullopt;
  return kSuccess;
}

namespace memory {

CallFaults<Operation, 3>& Faults(Operation) {
  return TheStore().faults;
}

void Reset() {
  TheStore() = Store{};
}

void PutSecret(std::optional<std::u16string> password) {
  TheStore().secret = std::move(password);
}

std::optional<std::u16string> FindSecret() {
  return TheStore().secret;
}

}  // namespace memory
}  // namespace quenda::secret
