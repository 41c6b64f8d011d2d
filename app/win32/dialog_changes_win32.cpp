// What the model shows through the dialog window: property changes, fitted labels, the focus, the
// countdown, the width and the end of the dialog.
#include <windows.h>

#include <string>

#include "child_windows_win32.h"
#include "dialog_window_win32.h"
#include "units_win32.h"
#include "wide_text.h"

namespace quenda::win32 {

void DialogWindow::ShowChange(ControlId id, Property property) {
  if (window_ == nullptr || form_ == nullptr)
    return;
  const Control& control = (*form_)[id];
  HWND child = id == ControlId::Form1 ? window_ : Handle(id);
  if (child == nullptr)
    return;
  switch (property) {
    case Property::Caption:
      SetWindowTextW(child, Wide(control.caption).c_str());
      FitLabel(id);
      break;
    case Property::Text:
      ShowText(id);
      break;
    case Property::ToolTipText:
      tooltips_.Set(child, control.toolTipText);
      break;
    case Property::Font:
      SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(control.font)), TRUE);
      FitLabel(id);
      break;
    case Property::Enabled:
      ShowEnabled(id);
      break;
    case Property::Locked:
      SendMessageW(child, EM_SETREADONLY, control.locked, 0);
      break;
    case Property::Value:
      SendMessageW(child, BM_SETCHECK, control.value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Property::Selection:
      SendMessageW(child, EM_SETSEL, control.selStart, control.selStart + control.selLength);
      break;
  }
}

// An auto-sized label takes the size of its caption as the label draws it (no prefix, no word
// wrap), measured on the real screen, since text does not scale exactly with the DPI.
void DialogWindow::FitLabel(ControlId id) {
  const Control& label = (*form_)[id];
  HWND child = Handle(id);
  if (child == nullptr || !label.autoSize)
    return;
  HDC dc = GetDC(child);
  HFONT font = fonts_.Get(label.font);
  HGDIOBJ previous = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
  const std::wstring caption = Wide(label.caption);
  RECT extent{0, 0, 0, 0};
  // An empty caption still has the height of one line.
  DrawTextW(dc, caption.empty() ? L" " : caption.c_str(), -1, &extent,
            DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  if (caption.empty())
    extent.right = 0;
  SelectObject(dc, previous);
  ReleaseDC(child, dc);
  const PixelRect rect =
      FittedLabel(PixelRectOf(*form_, id, dpi_), label.alignment, extent.right, extent.bottom);
  MoveWindow(child, rect.left, rect.top, rect.width, rect.height, TRUE);
}

void DialogWindow::ShowText(ControlId id) {
  HWND child = Handle(id);
  if (child == nullptr)
    return;
  // The box reports the change as if the user had typed it; the model already holds the text.
  echoing_ = true;
  SetWindowTextW(child, Wide((*form_)[id].text).c_str());
  echoing_ = false;
}

void DialogWindow::ShowEnabled(ControlId id) {
  HWND child = Handle(id);
  const bool hadFocus = GetFocus() == child;
  EnableWindow(child, (*form_)[id].enabled);
  // A disabled control loses the focus and leaves the keyboard nowhere; hand it on once the
  // running handler has finished, when every control it disables is disabled.
  if (!(*form_)[id].enabled && hadFocus)
    PostMessageW(window_, kMoveFocusOffDisabled, static_cast<WPARAM>(id), 0);
}

void DialogWindow::MoveFocusOffDisabled(ControlId from) {
  HWND focus = GetFocus();
  if (focus != nullptr && focus != window_ && IsWindowEnabled(focus))
    return;  // the focus has found a home meanwhile
  if (HWND next = GetNextDlgTabItem(window_, Handle(from), FALSE))
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
}

void DialogWindow::MoveFocus(ControlId id) {
  HWND child = Handle(id);
  if (child == nullptr || !IsWindowEnabled(child))
    return;
  if (GetFocus() == child)
    form_->FocusArrived(id);  // the focus would not move, so no notification would report it
  else                        // through the dialog manager, which keeps its default button in step
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(child), TRUE);
}

void DialogWindow::StartCountdown(int milliseconds) {
  // SetTimer on a running timer restarts its period, so each start is a fresh count.
  if (window_ != nullptr)
    SetTimer(window_, kCountdownTimer, static_cast<UINT>(milliseconds), nullptr);
}

void DialogWindow::StopCountdown() {
  if (window_ != nullptr)
    KillTimer(window_, kCountdownTimer);
}

void DialogWindow::SetWidth(float twips) {
  if (window_ == nullptr)
    return;
  ResizeTo(twips);
  ShowLogoOnceInside();
}

// The logo is made hidden so that its picture is decoded only once somebody can see it; it shows
// from the first time the window is wide enough to hold it.
void DialogWindow::ShowLogoOnceInside() {
  HWND logo = Handle(ControlId::Image1);
  if (logo == nullptr || (GetWindowLongPtrW(logo, GWL_STYLE) & WS_VISIBLE) != 0)
    return;
  RECT client;
  GetClientRect(window_, &client);
  if (PixelRectOf(*form_, ControlId::Image1, dpi_).left < client.right)
    ShowWindow(logo, SW_SHOWNA);
}

void DialogWindow::CloseDialog() {
  if (window_ == nullptr)
    return;
  KillTimer(window_, kCountdownTimer);
  ShowWindow(window_, SW_HIDE);
  // Destroyed once the control whose event closed the dialog has finished with its own message.
  PostMessageW(window_, kDestroy, 0, 0);
}

}  // namespace quenda::win32
