// Form1's event entry points: one event at a time, and timer expiries held while a handler runs.
#include <utility>

#include "form1.h"

namespace quenda {
namespace {

// Marks a handler as running for as long as the scope lives, also when it is left by an
// exception (the end of the process in tests).
class HandlerScope {
 public:
  explicit HandlerScope(int& depth) : depth_(depth) { ++depth_; }
  ~HandlerScope() { --depth_; }
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;

 private:
  int& depth_;
};

}  // namespace

void Form1::Load() {
  if (loaded_)
    return;
  loaded_ = true;
  {
    HandlerScope scope(handlerDepth_);
    Form_Load();
  }
  DeliverHeldExpiry();
}

void Form1::UserClicked(ControlId id) {
  if (unloaded_ || !At(id).enabled)
    return;
  {
    HandlerScope scope(handlerDepth_);
    switch (id) {
      case ControlId::Check1:
      case ControlId::Check2:
        SetValue(id, At(id).value == 1 ? 0 : 1);  // runs the box's Click handler
        break;
      case ControlId::Command1:
        Command1_Click();
        break;
      case ControlId::Command2:
        Command2_Click();
        break;
      case ControlId::Command3:
        Command3_Click();
        break;
      case ControlId::Image1:
        Image1_Click();
        break;
      default:
        break;  // no other control has a Click handler
    }
  }
  DeliverHeldExpiry();
}

void Form1::UserEditedText(ControlId id, std::u16string text) {
  Control& control = At(id);
  if (unloaded_ || control.kind != ControlKind::TextBox)
    return;
  // Typing leaves the caret after the text; nothing is echoed back to the window.
  control.selStart = static_cast<int>(text.size());
  control.selLength = 0;
  control.text = std::move(text);
}

void Form1::FocusArrived(ControlId id) {
  if (unloaded_)
    return;
  focused_ = id;
  {
    HandlerScope scope(handlerDepth_);
    switch (id) {
      case ControlId::Text2:
        Text2_GotFocus();
        break;
      case ControlId::Text3:
        Text3_GotFocus();
        break;
      case ControlId::Text4:
        Text4_GotFocus();
        break;
      case ControlId::Text6:
        Text6_GotFocus();
        break;
      default:
        break;  // no other control has a GotFocus handler
    }
  }
  DeliverHeldExpiry();
}

void Form1::TimerExpired() {
  if (unloaded_ || !At(ControlId::Timer1).enabled)
    return;
  // Delivered at once when no handler runs; otherwise held until the outermost one returns.
  expiryHeld_ = true;
  DeliverHeldExpiry();
}

// Runs a held expiry once no handler is running, provided the countdown still runs then. Several
// expiries that fell while a handler ran count as one.
void Form1::DeliverHeldExpiry() {
  while (handlerDepth_ == 0 && expiryHeld_) {
    expiryHeld_ = false;
    if (unloaded_ || !At(ControlId::Timer1).enabled)
      return;
    HandlerScope scope(handlerDepth_);
    Timer1_Timer();
  }
}

}  // namespace quenda
