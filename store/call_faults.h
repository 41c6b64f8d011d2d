// The fault injection both in-memory substitutes offer their tests: every call is counted by its
// operation, and a test may arm any numbered call of an operation to fail with a status of its
// choosing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quenda {

template <typename Operation, std::size_t kOperationCount>
class CallFaults {
 public:
  // Counts the call and returns the status armed for it, if any.
  std::optional<std::int32_t> Count(Operation operation) {
    const int number = ++calls_[static_cast<std::size_t>(operation)];
    for (const Fault& fault : faults_) {
      if (fault.operation == operation && fault.occurrence == number)
        return fault.status;
    }
    return std::nullopt;
  }

  // Makes the `occurrence`-th call of `operation` (counted from 1) fail with `status`.
  void Arm(Operation operation, int occurrence, std::int32_t status) {
    faults_.push_back({operation, occurrence, status});
  }

  int Calls(Operation operation) const { return calls_[static_cast<std::size_t>(operation)]; }

 private:
  struct Fault {
    Operation operation;
    int occurrence;
    std::int32_t status;
  };
  std::array<int, kOperationCount> calls_{};
  std::vector<Fault> faults_;
};

// The two controls every substitute offers its tests. Each substitute's namespace declares
// `Faults(Operation)`, the call faults of its store, which these find by the operation's type, and
// brings them in with using-declarations.

// Makes the `occurrence`-th call of `operation` (counted from 1 since the last Reset) fail with
// `status`, without any other effect. Several faults may be armed at once.
template <typename Operation>
void FailCall(Operation operation, int occurrence, std::int32_t status) {
  Faults(operation).Arm(operation, occurrence, status);
}

// How many calls of `operation` were made since the last Reset.
template <typename Operation>
int CallCount(Operation operation) {
  return Faults(operation).Calls(operation);
}

}  // namespace quenda
