// The headless toolkit: recorded changes, message boxes and focus, and a virtual clock for Timer1.
#include "toolkit_headless.h"

#include <algorithm>
#include <utility>

namespace quenda {

void HeadlessToolkit::PropertyChanged(ControlId id, Property property) {
  changes.push_back({id, property});
  if (id == ControlId::Timer1 && property == Property::Enabled) {
    const Control& timer = form()[ControlId::Timer1];
    timerRunning_ = timer.enabled && !closed;
    nextExpiry_ = now_ + timer.interval;
  }
}

void HeadlessToolkit::MoveFocus(ControlId id) {
  if (closed)
    return;
  form().FocusArrived(id);
}

void HeadlessToolkit::ShowMessageBox(std::u16string_view text, std::u16string_view title,
                                     unsigned style) {
  messageBoxes.push_back({std::u16string(text), std::u16string(title), style});
  // A copy: the callback may open further boxes, which would move the recorded ones.
  const RecordedMessageBox shown = messageBoxes.back();
  if (onMessageBox)
    onMessageBox(shown);
}

Extent HeadlessToolkit::MeasureText(const Font& font, std::u16string_view caption) {
  const int narrow = font.hundredthsOfPoint / 10;
  int width = 0;
  for (char16_t c : caption)
    width += c >= 0x2E80 ? 2 * narrow : narrow;
  return {width, font.hundredthsOfPoint / 5};
}

void HeadlessToolkit::CloseForm() {
  closed = true;
  timerRunning_ = false;
}

void HeadlessToolkit::Show() {
  const ControlId first = form().FirstInTabOrder();
  if (first != ControlId::Form1)
    MoveFocus(first);
}

void HeadlessToolkit::Advance(int milliseconds) {
  const long long until = now_ + milliseconds;
  // An expiry's handler may stop, restart or (inside a message box) advance the clock itself.
  while (timerRunning_ && nextExpiry_ <= until) {
    now_ = nextExpiry_;
    nextExpiry_ += form()[ControlId::Timer1].interval;
    ++expiries;
    form().TimerExpired();
  }
  now_ = std::max(now_, until);
}

// A mouse click: a control that can take the focus receives it before its Click runs.
void HeadlessToolkit::Click(ControlId id) {
  Focus(id);
  form().UserClicked(id);
}

bool HeadlessToolkit::Type(ControlId id, std::u16string text) {
  const Control& box = form()[id];
  if (closed || box.kind != ControlKind::TextBox || !box.enabled || box.locked)
    return false;
  form().UserEditedText(id, std::move(text));
  return true;
}

void HeadlessToolkit::Tab() {
  const ControlId next = form().NextInTabOrder(form().Focused(), true);
  if (next != ControlId::Form1)
    MoveFocus(next);
}

void HeadlessToolkit::ShiftTab() {
  const ControlId previous = form().NextInTabOrder(form().Focused(), false);
  if (previous != ControlId::Form1)
    MoveFocus(previous);
}

void HeadlessToolkit::Focus(ControlId id) {
  const Control& control = form()[id];
  const bool focusable = control.kind == ControlKind::CheckBox ||
                         control.kind == ControlKind::TextBox ||
                         control.kind == ControlKind::Button;
  if (focusable && control.enabled && control.visible)
    MoveFocus(id);
}

}  // namespace quenda
