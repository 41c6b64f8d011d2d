// How each control of the model becomes a child window: its window class and styles, the order
// in which the windows are made, and where they stand in pixels.
#pragma once

#include <array>
#include <cstddef>

#include "form1.h"

namespace quenda::win32 {

struct ChildWindow {
  const wchar_t* className = nullptr;  // null: the control has no window of its own
  unsigned long style = 0;
  unsigned long exStyle = 0;
};

// Form1, Line1 (painted by the dialog), Timer1 and the hidden Text5 get no window.
ChildWindow ChildWindowFor(const Control& control);

// The label that captions each text box. A screen reader names an edit control after the static
// just before it in the window order, so each of these labels is made immediately before its box.
struct BoxCaption {
  ControlId box;
  ControlId label;
};
inline constexpr BoxCaption kBoxCaptions[] = {{ControlId::Text3, ControlId::Label4},
                                              {ControlId::Text4, ControlId::Label5},
                                              {ControlId::Text6, ControlId::Label6},
                                              {ControlId::Text2, ControlId::Label3}};

// The controls that get a window, in the order to make them: the first `count` entries.
struct CreationList {
  std::array<ControlId, kControlCount> ids{};
  std::size_t count = 0;
  const ControlId* begin() const { return ids.data(); }
  const ControlId* end() const { return ids.data() + count; }
};

// The dialog manager tabs through child windows in the order they were made, so the focus order
// comes first, each box preceded by its caption; the other controls follow in the model's order,
// the panel text after the logo, and the frame comes last, so that it lies beneath the controls
// drawn inside it.
CreationList CreationOrder(const Form1& form);

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The control's designed rectangle in the dialog's client area, in pixels at `dpi`. Controls
// inside Frame1 are placed relative to the frame's top-left corner.
PixelRect PixelRectOf(const Form1& form, ControlId id, int dpi);

// An auto-sized label's rectangle for a caption of `width` x `height` pixels: its top stays where
// it was designed, and so does its left edge (left-aligned), its right edge (right-aligned) or its
// centre (centred).
PixelRect FittedLabel(const PixelRect& designed, Alignment alignment, int width, int height);

}  // namespace quenda::win32
