// The substitute for the protected password: one optional text, with the calls counted and any
// one of them made to fail.
#include <array>
#include <vector>

#include "secret_memory.h"

namespace quenda::secret {
namespace {

struct Fault {
  memory::Operation operation;
  int occurrence;
  Status status;
};

struct Store {
  std::optional<std::u16string> secret;
  std::array<int, 3> calls{};
  std::vector<Fault> faults;
};

Store& TheStore() {
  static Store store;
  return store;
}

// Counts the call and returns the armed failure for it, or kSuccess.
Status CountCall(memory::Operation operation) {
  Store& store = TheStore();
  const int number = ++store.calls[static_cast<std::size_t>(operation)];
  for (const Fault& fault : store.faults) {
    if (fault.operation == operation && fault.occurrence == number)
      return fault.status;
  }
  return kSuccess;
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

void Reset() {
  TheStore() = Store{};
}

void FailCall(Operation operation, int occurrence, Status status) {
  TheStore().faults.push_back({operation, occurrence, status});
}

int CallCount(Operation operation) {
  return TheStore().calls[static_cast<std::size_t>(operation)];
}

void PutSecret(std::optional<std::u16string> password) {
  TheStore().secret = std::move(password);
}

std::optional<std::u16string> FindSecret() {
  return TheStore().secret;
}

}  // namespace memory
}  // namespace quenda::secret
