// The headless services: recorded messages and changes, a virtual clock, focus and user actions,
// and the string console.
#include "services_headless.h"

#include <algorithm>
#include <array>

#include "password_line.h"
#include "registry_memory.h"

namespace quenda {

void HeadlessServices::Advance(int milliseconds) {
  const long long until = now_ + milliseconds;
  // An expiry's handler may stop or restart the countdown, or (inside a message) advance the
  // clock itself.
  while (countdownRunning_ && nextExpiry_ <= until) {
    now_ = nextExpiry_;
    nextExpiry_ += period_;
    ++expiries;
    form().TimerExpired();
  }
  now_ = std::max(now_, until);
}

ControlId HeadlessServices::NextInTabOrder(ControlId from, bool forward) {
  // The focus order by TabIndex, which numbers the controls in it from 0 without gaps.
  std::array<ControlId, kControlCount> order{};
  std::size_t count = 0;
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const Control& control = form()[static_cast<ControlId>(i)];
    if (control.tabIndex >= 0) {
      order[static_cast<std::size_t>(control.tabIndex)] = control.id;
      ++count;
    }
  }
  if (count == 0)
    return ControlId::Form1;
  // The search starts one step away from `from`; from a control outside the order, one step
  // away from the far end, so that the first step lands on the first (or last) control.
  const int fromIndex = form()[from].tabIndex;
  const std::size_t origin =
      fromIndex >= 0 ? static_cast<std::size_t>(fromIndex) : (forward ? count - 1 : 0);
  for (std::size_t step = 1; step <= count; ++step) {
    const std::size_t i = forward ? (origin + step) % count : (origin + count - step) % count;
    if (CanTakeFocus(form()[order[i]]))
      return order[i];
  }
  return ControlId::Form1;
}

std::optional<std::u16string> HeadlessConsole::ReadHiddenLine(std::u16string_view prompt) {
  error.append(prompt).append(u"\r\n");
  if (typedLines.empty())
    return std::nullopt;
  std::u16string line = typedLines.front();
  typedLines.erase(typedLines.begin());
  return line;
}

std::string HeadlessConsole::ReadInputLine() {
  // Byte by byte by the same rule as the real console, so that the test sees what is left.
  std::size_t length = 0;
  while (length < input.size() && !InputLineEnded(std::string_view(input).substr(0, length)))
    ++length;
  std::string line = input.substr(0, length);
  input.erase(0, length);
  return line;
}

int RegistryCallCount() {
  using registry::memory::Operation;
  int calls = 0;
  for (const Operation operation : {Operation::Open, Operation::Create, Operation::Query,
                                    Operation::Set, Operation::Delete, Operation::Close})
    calls += registry::memory::CallCount(operation);
  return calls;
}

}  // namespace quenda
