// Form1's event entry points: one event at a time, and timer expiries held while a handler runs.
#include <span>
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

using Handler = void (*)(Form1&);

// A control's handler for one kind of event.
struct EventHandler {
  ControlId control;
  Handler run;
};

// A click on a check box runs no handler of this table: it toggles the box's Value, and the
// check-box rule runs the box's Click handler.
constexpr EventHandler kClickHandlers[] = {
    {ControlId::Command1, [](Form1& form) { form.Command1_Click(); }},
    {ControlId::Command2, [](Form1& form) { form.Command2_Click(); }},
    {ControlId::Command3, [](Form1& form) { form.Command3_Click(); }},
    {ControlId::Image1, [](Form1& form) { form.Image1_Click(); }},
};

constexpr EventHandler kGotFocusHandlers[] = {
    {ControlId::Text2, [](Form1& form) { form.Text2_GotFocus(); }},
    {ControlId::Text3, [](Form1& form) { form.Text3_GotFocus(); }},
    {ControlId::Text4, [](Form1& form) { form.Text4_GotFocus(); }},
    {ControlId::Text6, [](Form1& form) { form.Text6_GotFocus(); }},
};

// The handler `handlers` holds for `control`, or null when the control has none for the event.
Handler HandlerOf(std::span<const EventHandler> handlers, ControlId control) {
  for (const EventHandler& handler : handlers) {
    if (handler.control == control)
      return handler.run;
  }
  return nullptr;
}

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
    if (id == ControlId::Check1 || id == ControlId::Check2)
      SetValue(id, At(id).value == 1 ? 0 : 1);  // runs the box's Click handler
    else if (const Handler handler = HandlerOf(kClickHandlers, id))
      handler(*this);
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
    if (const Handler handler = HandlerOf(kGotFocusHandlers, id))
      handler(*this);
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
