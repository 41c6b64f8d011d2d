// Form1's model: property writes that show real changes and the check-box rule.
#include <utility>

#include "form1.h"
#include "form1_design.h"

namespace quenda {

Form1::Form1(ProcessServices& process, WindowServices& window)
    : process_(process), window_(window), controls_(DesignedControls()) {}

template <typename Value>
bool Form1::Assign(ControlId id, Value Control::*field, Value value, Property property) {
  Value& current = At(id).*field;
  if (current == value)
    return false;
  current = std::move(value);
  window_.ShowChange(id, property);
  return true;
}

void Form1::SetCaption(ControlId id, std::u16string caption) {
  Assign(id, &Control::caption, std::move(caption), Property::Caption);
}

void Form1::SetText(ControlId id, std::u16string text) {
  Assign(id, &Control::text, std::move(text), Property::Text);
}

void Form1::SetToolTipText(ControlId id, std::u16string text) {
  Assign(id, &Control::toolTipText, std::move(text), Property::ToolTipText);
}

void Form1::SetFontName(ControlId id, std::u16string name) {
  Control& control = At(id);
  if (control.font.name == name)
    return;
  control.font.name = std::move(name);
  window_.ShowChange(id, Property::Font);
}

void Form1::SetEnabled(ControlId id, bool enabled) {
  Control& control = At(id);
  if (control.enabled == enabled)
    return;
  control.enabled = enabled;
  if (id != ControlId::Timer1) {
    window_.ShowChange(id, Property::Enabled);
  } else if (enabled) {
    window_.StartCountdown(control.interval);
  } else {
    window_.StopCountdown();
    // An expiry held from the stopped countdown belongs to no running period.
    expiryHeld_ = false;
  }
}

void Form1::SetLocked(ControlId id, bool locked) {
  Assign(id, &Control::locked, locked, Property::Locked);
}

void Form1::SetValue(ControlId id, int value) {
  Control& control = At(id);
  if (control.kind != ControlKind::CheckBox || control.value == value)
    return;
  control.value = value;
  window_.ShowChange(id, Property::Value);
  // The check-box rule: a changed Value runs the box's Click handler inside the assignment.
  if (id == ControlId::Check1)
    Check1_Click();
  if (id == ControlId::Check2)
    Check2_Click();
}

void Form1::SetSelection(ControlId id, int start, int length) {
  Control& control = At(id);
  control.selStart = start;
  control.selLength = length;
  // Always shown: the user moves the caret without telling the model, so an unchanged model
  // selection says nothing about what the box shows.
  window_.ShowChange(id, Property::Selection);
}

void Form1::SetFocus(ControlId id) {
  // A control that cannot take the focus (disabled, hidden, or a label) is left alone, and the
  // focus stays where it is.
  if (unloaded_ || !CanTakeFocus(At(id)))
    return;
  window_.MoveFocus(id);
}

void Form1::SetWidth(float twips) {
  if (width_ == twips)
    return;
  width_ = twips;
  window_.SetWidth(twips);
}

void Form1::Unload() {
  if (unloaded_)
    return;
  unloaded_ = true;
  window_.CloseDialog();
}

}  // namespace quenda
