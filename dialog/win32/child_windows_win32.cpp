// Window classes, styles, creation order and pixel rectangles for the dialog's controls.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "child_windows_win32.h"
#include "logo_win32.h"
#include "units_win32.h"

namespace quenda::win32 {

namespace {

DWORD LabelStyle(const Control& label) {
  // Labels show their caption literally (SS_NOPREFIX) and notify, so that tooltips can reach them.
  DWORD style = SS_NOPREFIX | SS_NOTIFY;
  switch (label.alignment) {
    case Alignment::Left:
      return style | SS_LEFTNOWORDWRAP;
    case Alignment::Right:
      return style | SS_RIGHT;
    case Alignment::Center:
      return style | SS_CENTER;
  }
  return style;
}

ChildWindow TextBoxWindow(const Control& box) {
  ChildWindow window{WC_EDITW, ES_AUTOHSCROLL, 0};
  if (box.multiLine) {
    // Both scroll bars and ES_AUTOHSCROLL: long lines scroll sideways instead of wrapping.
    window.style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (box.scrollBars & 1)
      window.style |= WS_HSCROLL;
    if (box.scrollBars & 2)
      window.style |= WS_VSCROLL;
  }
  if (box.passwordChar != 0)
    window.style |= ES_PASSWORD;
  if (box.locked)
    window.style |= ES_READONLY;
  if (box.borderStyle != 0)
    window.exStyle |= WS_EX_CLIENTEDGE;
  return window;
}

ControlId CaptionOf(ControlId box) {
  for (const BoxCaption& caption : kBoxCaptions) {
    if (caption.box == box)
      return caption.label;
  }
  return ControlId::Form1;
}

// Where a control outside the focus order is made: labels and the logo first (0); then the panel
// text (1), which so follows the logo, no static, and is read by its own text rather than named
// after the version label; the frame last (2).
int RankOutsideFocusOrder(const Control& control) {
  switch (control.kind) {
    case ControlKind::TextBox:
      return 1;
    case ControlKind::Frame:
      return 2;
    default:
      return 0;
  }
}

}  // namespace

ChildWindow ChildWindowFor(const Control& control) {
  ChildWindow window;
  switch (control.kind) {
    case ControlKind::Label:
      window = {WC_STATICW, LabelStyle(control), 0};
      break;
    case ControlKind::CheckBox:
      // Not an auto check box: the model owns the state and sets it back after each click.
      window = {WC_BUTTONW, BS_CHECKBOX | BS_NOTIFY, 0};
      break;
    case ControlKind::Button:
      window = {
          WC_BUTTONW,
          static_cast<DWORD>(control.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY, 0};
      break;
    case ControlKind::TextBox:
      if (!control.visible)
        return {};  // Text5 only stores texts; it never appears and never takes the focus
      window = TextBoxWindow(control);
      break;
    case ControlKind::Frame:
      window = {WC_BUTTONW, BS_GROUPBOX, 0};
      break;
    case ControlKind::Image:
      window = {kLogoClassName, 0, 0};
      break;
    case ControlKind::Form:
    case ControlKind::Line:
    case ControlKind::Timer:
      return {};
  }
  window.style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (control.visible)
    window.style |= WS_VISIBLE;
  if (!control.enabled)
    window.style |= WS_DISABLED;
  // Every tab stop is a group of its own, so the arrow keys never move the focus.
  if (control.tabStop)
    window.style |= WS_TABSTOP | WS_GROUP;
  return window;
}

CreationList CreationOrder(const Form1& form) {
  CreationList list;
  const auto add = [&list](ControlId id) { list.ids[list.count++] = id; };
  // The focus order by TabIndex: for each index in turn, the control that holds it. (A sort would
  // do the same for about a kilobyte more code.)
  std::array<ControlId, kControlCount> focusOrder{};
  std::size_t focusCount = 0;
  for (int tabIndex = 0; tabIndex < static_cast<int>(kControlCount); ++tabIndex) {
    for (std::size_t i = 0; i < kControlCount; ++i) {
      const Control& control = form[static_cast<ControlId>(i)];
      if (control.tabStop && control.tabIndex == tabIndex &&
          ChildWindowFor(control).className != nullptr)
        focusOrder[focusCount++] = control.id;
    }
  }
  for (std::size_t i = 0; i < focusCount; ++i) {
    if (const ControlId caption = CaptionOf(focusOrder[i]); caption != ControlId::Form1)
      add(caption);
    add(focusOrder[i]);
  }
  for (int rank = 0; rank <= 2; ++rank) {
    for (std::size_t i = 0; i < kControlCount; ++i) {
      const Control& control = form[static_cast<ControlId>(i)];
      const bool placed = std::find(list.begin(), list.end(), control.id) != list.end();
      if (!placed && RankOutsideFocusOrder(control) == rank &&
          ChildWindowFor(control).className != nullptr) {
        add(control.id);
      }
    }
  }
  return list;
}

PixelRect PixelRectOf(const Form1& form, ControlId id, int dpi) {
  const Control& control = form[id];
  int left = control.rect.left;
  int top = control.rect.top;
  if (control.container != ControlId::Form1) {
    left += form[control.container].rect.left;
    top += form[control.container].rect.top;
  }
  // Both edges are converted, so neighbouring controls never gain or lose a pixel between them.
  const int x = ToPixels(left, dpi);
  const int y = ToPixels(top, dpi);
  return {x, y, ToPixels(left + control.rect.width, dpi) - x,
          ToPixels(top + control.rect.height, dpi) - y};
}

PixelRect FittedLabel(const PixelRect& designed, Alignment alignment, int width, int height) {
  PixelRect rect{designed.left, designed.top, width, height};
  switch (alignment) {
    case Alignment::Left:
      break;
    case Alignment::Right:
      rect.left += designed.width - width;
      break;
    case Alignment::Center:
      rect.left += (designed.width - width) / 2;
      break;
  }
  return rect;
}

}  // namespace quenda::win32
