// The headless services: the virtual clock and the string console.
#include "services_headless.h"

#include <algorithm>

#include "password_line.h"

namespace quenda {

void HeadlessServices::Advance(int milliseconds) {
  const long long until = now_ + milliseconds;
  // An expiry's handler may stop or restart the countdown, or (inside a message) advance the
  // clock itself.
  while (countdownRunning && nextExpiry_ <= until) {
    now_ = nextExpiry_;
    nextExpiry_ += period_;
    ++expiries;
    form_->TimerExpired();
  }
  now_ = std::max(now_, until);
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

}  // namespace quenda
