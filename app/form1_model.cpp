// Form1's model: property writes that tell the toolkit about real changes, the check-box rule,
// label auto-size and the focus order.
#include <algorithm>
#include <utility>

#include "form1.h"
#include "form1_design.h"

namespace quenda {
namespace {

bool CanTakeFocus(const Control& control) {
  const bool focusableKind = control.kind == ControlKind::CheckBox ||
                             control.kind == ControlKind::TextBox ||
                             control.kind == ControlKind::Button;
  return focusableKind && control.enabled && control.visible;
}

bool InTabOrder(const Control& control) {
  return control.tabStop && control.tabIndex >= 0 && CanTakeFocus(control);
}

}  // namespace

Form1::Form1(Toolkit& toolkit) : toolkit_(toolkit), controls_(DesignedControls()) {}

ControlId Form1::NextInTabOrder(ControlId from, bool forward) const {
  std::array<ControlId, kControlCount> order{};
  std::size_t count = 0;
  for (const Control& control : controls_) {
    if (control.tabIndex >= 0)
      order[count++] = control.id;
  }
  if (count == 0)
    return ControlId::Form1;
  std::sort(order.begin(), order.begin() + count,
            [this](ControlId a, ControlId b) { return (*this)[a].tabIndex < (*this)[b].tabIndex; });
  // The search starts one step away from `from`; from a control outside the order, one step
  // away from the far end, so that the first step lands on the first (or last) control.
  const auto found = std::find(order.begin(), order.begin() + count, from);
  const std::size_t origin = found != order.begin() + count
                                 ? static_cast<std::size_t>(found - order.begin())
                                 : (forward ? count - 1 : 0);
  for (std::size_t step = 1; step <= count; ++step) {
    const std::size_t i = forward ? (origin + step) % count : (origin + count - step) % count;
    if (InTabOrder((*this)[order[i]]))
      return order[i];
  }
  return ControlId::Form1;
}

ControlId Form1::FirstInTabOrder() const {
  return NextInTabOrder(ControlId::Form1, true);
}

template <typename Value>
bool Form1::Assign(ControlId id, Value Control::*field, Value value, Property property) {
  Value& current = At(id).*field;
  if (current == value)
    return false;
  current = std::move(value);
  toolkit_.PropertyChanged(id, property);
  return true;
}

void Form1::SetCaption(ControlId id, std::u16string caption) {
  if (Assign(id, &Control::caption, std::move(caption), Property::Caption))
    Resize(id);
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
  toolkit_.PropertyChanged(id, Property::Font);
  Resize(id);
}

void Form1::SetEnabled(ControlId id, bool enabled) {
  // An expiry held from a countdown that has since stopped belongs to no running period.
  if (Assign(id, &Control::enabled, enabled, Property::Enabled) && id == ControlId::Timer1 &&
      !enabled) {
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
  toolkit_.PropertyChanged(id, Property::Value);
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
  // Always reported: the user moves the caret without telling the model, so an unchanged model
  // selection says nothing about what the box shows.
  toolkit_.PropertyChanged(id, Property::Selection);
}

void Form1::SetFocus(ControlId id) {
  // A control that cannot take the focus (disabled, hidden, or a label) is left alone, and the
  // focus stays where it is.
  if (unloaded_ || !CanTakeFocus(At(id)))
    return;
  toolkit_.MoveFocus(id);
}

void Form1::SetWidth(float twips) {
  if (width_ == twips)
    return;
  width_ = twips;
  toolkit_.PropertyChanged(ControlId::Form1, Property::Geometry);
}

void Form1::Unload() {
  if (unloaded_)
    return;
  unloaded_ = true;
  toolkit_.CloseForm();
}

Rect AutoSizedRect(const Control& label, Extent extent) {
  Rect rect = label.rect;
  switch (label.alignment) {
    case Alignment::Left:
      break;
    case Alignment::Right:
      rect.left += rect.width - extent.width;
      break;
    case Alignment::Center:
      rect.left += (rect.width - extent.width) / 2;
      break;
  }
  rect.width = extent.width;
  rect.height = extent.height;
  return rect;
}

// An auto-sized label takes the size of its caption in its font. The centred Label2 keeps its
// centre, so that the computer name stays where the dialog was designed to show it.
void Form1::Resize(ControlId id) {
  Control& control = At(id);
  if (!control.autoSize)
    return;
  const Rect rect = AutoSizedRect(control, toolkit_.MeasureText(control.font, control.caption));
  if (rect.left == control.rect.left && rect.width == control.rect.width &&
      rect.height == control.rect.height) {
    return;
  }
  control.rect = rect;
  toolkit_.PropertyChanged(id, Property::Geometry);
}

}  // namespace quenda
