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
      SetWindowTextW(child, AsWide(control.caption.c_str()));
      break;
    case Property::Text:
      ShowText(id);
      break;
    case Property::ToolTipText:
      tooltips_.Set(child, control.toolTipText);
      break;
    case Property::Font:
      SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(control.font)), TRUE);
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
  // A new caption or font changes the size an auto-sized label takes.
  if (property == Property::Caption || property == Property::Font)
    FitLabel(id);
}

// An auto-sized label takes the size of its caption as the label draws it (no prefix, no word
// wrap), measured on the real screen, since text does not scale exactly with the DPI.
void DialogWindow::FitLabel(ControlId id) {
  HWND child = Handle(id);
  if (child == nullptr || !(*form_)[id].autoSize)
    return;
  HDC dc = GetDC(window_);
  const PixelRect rect = FittedRect(id, dc);
  ReleaseDC(window_, dc);
  MoveWindow(child, rect.left, rect.top, rect.width, rect.height, TRUE);
}

PixelRect DialogWindow::FittedRect(ControlId id, HDC measuring) {
  const Control& label = (*form_)[id];
  HFONT font = fonts_.Get(label.font);
  HGDIOBJ previous = SelectObject(measuring, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
  RECT extent{0, 0, 0, 0};
  // An empty caption still has the height of one line.
  DrawTextW(measuring, label.caption.empty() ? L" " : AsWide(label.caption.c_str()), -1, &extent,
            DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  if (label.caption.empty())
    extent.right = 0;
  SelectObject(measuring, previous);
  return FittedLabel(PixelRectOf(*form_, id, dpi_), label.alignment, extent.right, extent.bottom);
}

void DialogWindow::ShowText(ControlId id) {
  HWND child = Handle(id);
  if (child == nullptr)
    return;
  // The box reports the change as if the user had typed it; the model already holds the text.
  echoing_ = true;
  SetWindowTextW(child, AsWide((*form_)[id].text.c_str()));
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
  countdownPeriod_ = milliseconds;
  if (window_ != nullptr)
    SetTimer(window_, kCountdownTimer, static_cast<UINT>(milliseconds), nullptr);
}

void DialogWindow::StopCountdown() {
  countdownPeriod_ = 0;
  if (window_ != nullptr)
    KillTimer(window_, kCountdownTimer);
}

void DialogWindow::SetWidth(float twips) {
  // Before the window exists (during Form_Load) Show makes it at the model's width.
  if (window_ == nullptr)
    return;
  ResizeTo(twips);
  ShowReachedControls();
}

bool DialogWindow::Reaches(int left) const {
  RECT client;
  GetClientRect(window_, &client);
  return left < client.right;
}

// The controls made hidden beyond the right edge show from the first time the window reaches them
// and stay shown, like the rest, when it narrows again.
void DialogWindow::ShowReachedControls() {
  for (std::size_t i = 0; i < kControlCount; ++i) {
    HWND child = children_[i];
    if (child == nullptr || IsWindowVisible(child) || !(*form_)[static_cast<ControlId>(i)].visible)
      continue;
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    if (Reaches(rect.left))
      ShowWindow(child, SW_SHOWNA);
  }
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
