// The headless services: recorded messages and changes, a virtual clock, focus and user actions.
#include "services_headless.h"

#include <algorithm>
#include <utility>

namespace quenda {

void HeadlessServices::ShowMessage(std::u16string_view text, MessageKind kind) {
  // A copy: the callback may show further messages, which would move the recorded ones.
  const ShownMessage shown{std::u16string(text), kind};
  messages.push_back(shown);
  if (onMessage)
    onMessage(shown);
}

std::u16string HeadlessServices::ShortPath(std::u16string_view path) {
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

bool HeadlessServices::StartProgram(std::u16string_view commandLine, int windowState) {
  startedPrograms.push_back({std::u16string(commandLine), windowState});
  return startProgramSucceeds;
}

std::string HeadlessServices::ReadFileStart(std::u16string_view path, std::size_t limit) {
  readPaths.emplace_back(path);
  const auto found = files.find(std::u16string(path));
  return found != files.end() ? found->second.substr(0, limit) : std::string();
}

void HeadlessServices::Show() {
  const ControlId first = form().FirstInTabOrder();
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
  const ControlId next = form().NextInTabOrder(form().Focused(), forward);
  if (next != ControlId::Form1)
    MoveFocus(next);
}

}  // namespace quenda
