// How each control of the model becomes a child window: its window class and styles, the order
// in which the windows are made, and where they stand in pixels.
#pragma once

#include <vector>

#include "form1.h"
#include "toolkit.h"

namespace quenda::win32 {

struct ChildWindow {
  const wchar_t* className = nullptr;  // null: the control has no window of its own
  unsigned long style = 0;
  unsigned long exStyle = 0;
};

// Form1, Line1 (painted by the dialog), Timer1 and the hidden Text5 get no window.
ChildWindow ChildWindowFor(const Control& control);

// The controls that get a window, in the order to make them. The dialog manager tabs through
// child windows in the order they were made, so the focus order comes first; the frame comes
// last, so that it lies beneath the controls drawn inside it.
std::vector<ControlId> CreationOrder(const Form1& form);

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The control's rectangle in the dialog's client area, in pixels at `dpi`. Controls inside Frame1
// are placed relative to the frame's top-left corner.
PixelRect PixelRectOf(const Form1& form, ControlId id, int dpi);
// The same for `rect` (twips, in the control's container) in place of the control's own.
PixelRect PixelRectOf(const Form1& form, ControlId id, const Rect& rect, int dpi);

}  // namespace quenda::win32
