// The headless services: recorded messages and changes, a virtual clock, focus and user actions,
// and the string console.
#include "services_headless.h"

#include <algorithm>
#include <array>
#include <utility>

#include "password_line.h"
#include "registry_memory.h"

namespace quenda {

void HeadlessProcess::ShowMessage(std::u16string_view text, MessageKind kind) {
  // A copy: the callback may show further messages, which would move the recorded ones.
  const ShownMessage shown{std::u16string(text), kind};
  messages.push_back(shown);
  if (onMessage)
    onMessage(shown);
}

std::u16string HeadlessProcess::ShortPath(std::u16string_view path) {
  const auto found = shortPaths.find(std::u16string(path));
  return found != shortPaths.end() ? found->second : std::u16string(path);
}

void HeadlessServices::MoveFocus(ControlId id) {
  if (!closed)
    form().FocusArrived(id);
}

void HeadlessServices::StartCountdown(int milliseconds) {
  countdownRunning_ = !closed;
  period_ = milliseconds;
  nextExpiry_ = now_ + milliseconds;
}

void HeadlessServices::CloseDialog() {
  closed = true;
  countdownRunning_ = false;
}

bool HeadlessProcess::StartProgram(std::u16string_view application, std::u16string_view commandLine,
                                   int windowState) {
  startedPrograms.push_back(
      {std::u16string(application), std::u16string(commandLine), windowState});
  return startProgramSucceeds;
}

std::string HeadlessProcess::ReadFileStart(std::u16string_view path, std::size_t limit) {
  readPaths.emplace_back(path);
  const auto found = files.find(std::u16string(path));
  return found != files.end() ? found->second.substr(0, limit) : std::string();
}

LogonCheck HeadlessProcess::TryLogon(std::u16string_view user, std::u16string_view domain,
                                     std::u16string_view password) {
  logonsTried.push_back(std::u16string(domain) + u"\\" + std::u16string(user) + u":" +
                        std::u16string(password));
  return logonAnswer;
}

bool HeadlessProcess::Ask(std::u16string_view question) {
  questions.emplace_back(question);
  return answerYes;
}

void HeadlessServices::Show() {
  const ControlId first = NextInTabOrder(ControlId::Form1, true);
  if (first != ControlId::Form1)
    MoveFocus(first);
}

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

void HeadlessServices::Click(ControlId id) {
  if (CanTakeFocus(form()[id]))
    MoveFocus(id);
  form().UserClicked(id);
}

bool HeadlessServices::Type(ControlId id, std::u16string text) {
  const Control& box = form()[id];
  if (closed || box.kind != ControlKind::TextBox || !box.enabled || box.locked)
    return false;
  form().UserEditedText(id, std::move(text));
  return true;
}

void HeadlessServices::Tab(bool forward) {
  const ControlId next = NextInTabOrder(form().Focused(), forward);
  if (next != ControlId::Form1)
    MoveFocus(next);
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

void HeadlessConsole::ShowMessage(std::u16string_view text, MessageKind kind) {
  HeadlessProcess::ShowMessage(text, kind);
  error.append(text).append(u"\r\n");
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

bool HeadlessProcess::AcquireSaveLock() {
  if (saveLockTimesOut)
    return false;
  saveLocks.push_back({RegistryCallCount()});
  return true;
}

void HeadlessProcess::ReleaseSaveLock() {
  // A release without a lock held shows as a span that was never acquired.
  if (saveLocks.empty() || saveLocks.back().callsAtRelease != -1)
    saveLocks.push_back({-1});
  saveLocks.back().callsAtRelease = RegistryCallCount();
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
