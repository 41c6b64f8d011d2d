// The Win32 toolkit: the dialog window, its standard controls and the model's events.
#include <windows.h>
#include <commctrl.h>
#include <imm.h>

#include <cmath>
#include <string>

#include "child_windows_win32.h"
#include "control_ids.h"
#include "logo_win32.h"
#include "resource_ids.h"
#include "toolkit_win32.h"
#include "units_win32.h"
#include "wide_text.h"

namespace quenda::win32 {

namespace {

// A fixed tool window: narrow caption with a close box only, no taskbar button, not resizable.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kWindowExStyle = WS_EX_TOOLWINDOW;

constexpr UINT_PTR kTimer1Id = 1;
// Posted to itself: work that must wait until the control that caused it has finished its own
// message handling.
constexpr UINT kMoveFocusOffDisabled = WM_APP + 1;  // wParam: the ControlId that lost the focus
constexpr UINT kReapplySelection = WM_APP + 2;      // wParam: the text box that got the focus
constexpr UINT kDestroy = WM_APP + 3;

// Tooltips wrap at this width (3 inches).
constexpr int kTooltipWidthTwips = 4320;

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  // Messages sent while the window is being made, or after it was destroyed, get the defaults.
  auto* toolkit = reinterpret_cast<Win32Toolkit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (toolkit == nullptr || toolkit->Window() != window)
    return DefWindowProcW(window, message, wParam, lParam);
  return toolkit->HandleMessage(message, wParam, lParam);
}

bool RegisterDialogClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DialogProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(QUENDA_ICON),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                    GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  windowClass.hIconSm = static_cast<HICON>(
      LoadImageW(instance, MAKEINTRESOURCEW(QUENDA_ICON), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kDialogClassName;
  return RegisterClassExW(&windowClass) != 0;
}

// The window's outer size for an outer width of `widthTwips`: the client area is that width less
// the designed 45-twip frame on each side, and always 4620 twips high; the real frame and caption
// are added around it, whatever size the system gives them.
SIZE OuterSize(float widthTwips, int dpi) {
  const int width = static_cast<int>(std::lround(widthTwips));
  RECT rect{0, 0, ToPixels(width - 2 * kFrameTwips, dpi), ToPixels(kClientHeight, dpi)};
  AdjustWindowRectEx(&rect, kWindowStyle, FALSE, kWindowExStyle);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

Win32Toolkit::Win32Toolkit(HINSTANCE instance)
    : instance_(instance), dpi_(DisplayDpi()), fonts_(dpi_) {}

Win32Toolkit::~Win32Toolkit() {
  if (window_ != nullptr)
    DestroyWindow(window_);
}

bool Win32Toolkit::Create(Form1& form) {
  form_ = &form;
  if (!RegisterDialogClass(instance_) || !RegisterLogoClass(instance_))
    return false;
  const SIZE size = OuterSize(form.Width(), dpi_);
  const std::wstring caption = Wide(form[ControlId::Form1].caption);
  window_ = CreateWindowExW(kWindowExStyle, kDialogClassName, caption.c_str(), kWindowStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr,
                            instance_, this);
  if (window_ == nullptr)
    return false;
  tooltips_.Create(window_, ToPixels(kTooltipWidthTwips, dpi_));
  for (ControlId id : CreationOrder(form)) {
    if (!CreateChild(id))
      return false;
  }
  return true;
}

bool Win32Toolkit::CreateChild(ControlId id) {
  const Control& control = (*form_)[id];
  const ChildWindow kind = ChildWindowFor(control);
  // The designed label sizes fit their captions at 96 DPI; text does not scale exactly with the
  // DPI, so a label is fitted to its caption on the real screen when it is made.
  const PixelRect rect = PixelRectOf(
      *form_, id,
      control.autoSize ? AutoSizedRect(control, MeasureText(control.font, control.caption))
                       : control.rect,
      dpi_);
  const std::wstring text =
      Wide(control.kind == ControlKind::TextBox ? control.text : control.caption);
  HWND child = CreateWindowExW(kind.exStyle, kind.className, text.c_str(), kind.style, rect.left,
                               rect.top, rect.width, rect.height, window_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(ChildIdOf(id))),
                               instance_, nullptr);
  if (child == nullptr)
    return false;
  children_[IndexOf(id)] = child;
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(control.font)), FALSE);
  if (control.kind == ControlKind::TextBox) {
    // The edit control would use its own round bullet; the dialog shows "*".
    if (control.passwordChar != 0)
      SendMessageW(child, EM_SETPASSWORDCHAR, control.passwordChar, 0);
    // Input method off: only characters typed directly reach the password boxes.
    if (control.imeMode == 3)
      ImmAssociateContextEx(child, nullptr, 0);
    if (control.multiLine)
      SendMessageW(child, EM_SETLIMITTEXT, 0, 0);  // a readme may be longer than 30000 characters
  }
  if (control.kind == ControlKind::CheckBox)
    SendMessageW(child, BM_SETCHECK, control.value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
  tooltips_.Set(child, control.toolTipText);
  return true;
}

ControlId Win32Toolkit::ControlOf(HWND child) const {
  if (child == nullptr)
    return ControlId::Form1;
  for (std::size_t i = 0; i < kControlCount; ++i) {
    if (children_[i] == child)
      return static_cast<ControlId>(i);
  }
  return ControlId::Form1;
}

void Win32Toolkit::Show() {
  if (window_ == nullptr)
    return;
  // Centred in the work area of the primary display, at the width start-up left (the narrow one).
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT frame;
  GetWindowRect(window_, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  SetForegroundWindow(window_);
  const ControlId first = form_->FirstInTabOrder();
  if (first != ControlId::Form1)
    MoveFocus(first);
}

int Win32Toolkit::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // The dialog manager gives Tab, Shift+Tab, access keys, Enter and Esc their dialog meaning.
    if (window_ != nullptr && IsDialogMessageW(window_, &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

// ---- The model tells what changed ----

void Win32Toolkit::PropertyChanged(ControlId id, Property property) {
  if (window_ == nullptr || form_ == nullptr)
    return;
  const Control& control = (*form_)[id];
  HWND child = Handle(id);
  switch (property) {
    case Property::Caption:
      if (id == ControlId::Form1)
        SetWindowTextW(window_, Wide(control.caption).c_str());
      else if (child != nullptr)
        SetWindowTextW(child, Wide(control.caption).c_str());
      break;
    case Property::Text:
      ShowText(id);
      break;
    case Property::ToolTipText:
      tooltips_.Set(child, control.toolTipText);
      break;
    case Property::Font:
      if (child != nullptr)
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(control.font)), TRUE);
      break;
    case Property::Enabled:
      ShowEnabled(id);
      break;
    case Property::Locked:
      if (child != nullptr)
        SendMessageW(child, EM_SETREADONLY, control.locked, 0);
      break;
    case Property::Value:
      if (child != nullptr)
        SendMessageW(child, BM_SETCHECK, control.value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Property::Selection:
      if (child != nullptr)
        SendMessageW(child, EM_SETSEL, control.selStart, control.selStart + control.selLength);
      break;
    case Property::Geometry:
      if (id == ControlId::Form1) {
        ResizeWindow();
      } else if (child != nullptr) {
        const PixelRect rect = PixelRectOf(*form_, id, dpi_);
        MoveWindow(child, rect.left, rect.top, rect.width, rect.height, TRUE);
      }
      break;
  }
}

void Win32Toolkit::ShowText(ControlId id) {
  HWND child = Handle(id);
  if (child == nullptr)
    return;
  // The box reports the change as if the user had typed it; the model already holds the text.
  echoing_ = true;
  SetWindowTextW(child, Wide((*form_)[id].text).c_str());
  echoing_ = false;
}

void Win32Toolkit::ShowEnabled(ControlId id) {
  const bool enabled = (*form_)[id].enabled;
  if (id == ControlId::Timer1) {
    // SetTimer on a running timer restarts its period, so enabling always starts a fresh count.
    if (enabled)
      SetTimer(window_, kTimer1Id, static_cast<UINT>((*form_)[id].interval), nullptr);
    else
      KillTimer(window_, kTimer1Id);
    return;
  }
  HWND child = Handle(id);
  if (child == nullptr)
    return;
  const bool hadFocus = GetFocus() == child;
  EnableWindow(child, enabled);
  // A disabled control loses the focus and leaves the keyboard nowhere; hand it on once the
  // running handler has finished.
  if (!enabled && hadFocus)
    PostMessageW(window_, kMoveFocusOffDisabled, static_cast<WPARAM>(id), 0);
}

void Win32Toolkit::ResizeWindow() {
  const SIZE size = OuterSize(form_->Width(), dpi_);
  // The left edge and the height stay; only the right edge moves.
  SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Toolkit::MoveFocus(ControlId id) {
  HWND child = Handle(id);
  if (child == nullptr || !IsWindowEnabled(child))
    return;
  if (GetFocus() == child)
    OnFocusArrived(id);  // SetFocus would report nothing for the control that already has it
  else
    SetFocus(child);  // reported through EN_SETFOCUS / BN_SETFOCUS
}

void Win32Toolkit::ShowMessageBox(std::u16string_view text, std::u16string_view title,
                                  unsigned style) {
  MessageBoxW(window_, Wide(text).c_str(), Wide(title).c_str(), style);
}

Extent Win32Toolkit::MeasureText(const Font& font, std::u16string_view caption) {
  HDC dc = GetDC(window_);
  HGDIOBJ previous = SelectObject(dc, fonts_.Get(font));
  const std::wstring text = Wide(caption);
  RECT rect{0, 0, 0, 0};
  // As the label draws it: no prefix processing, no word wrap. An empty caption still has the
  // height of one line.
  DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &rect,
            DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  if (text.empty())
    rect.right = 0;
  SelectObject(dc, previous);
  ReleaseDC(window_, dc);
  return {ToTwips(rect.right - rect.left, dpi_), ToTwips(rect.bottom - rect.top, dpi_)};
}

void Win32Toolkit::CloseForm() {
  if (window_ == nullptr)
    return;
  KillTimer(window_, kTimer1Id);
  ShowWindow(window_, SW_HIDE);
  // Destroyed once the control whose event closed the dialog has finished with its own message.
  PostMessageW(window_, kDestroy, 0, 0);
}

// ---- Messages ----

std::intptr_t Win32Toolkit::HandleMessage(unsigned message, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0)
        OnCommand(ControlOfChildId(LOWORD(wParam)), HIWORD(wParam));
      else if (LOWORD(wParam) == kIdOk || LOWORD(wParam) == kIdCancel)
        OnCommand(ControlOfChildId(LOWORD(wParam)), BN_CLICKED);
      return 0;
    case WM_TIMER:
      if (wParam == kTimer1Id && form_ != nullptr)
        form_->TimerExpired();
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(ChildIdOf(defaultButton_), DC_HASDEFID);
    case WM_NEXTDLGCTL: {
      // Sent by multi-line edits for Enter: lParam true names the control, else go by Tab order.
      HWND target = lParam ? reinterpret_cast<HWND>(wParam)
                           : GetNextDlgTabItem(window_, GetFocus(), wParam != 0);
      if (target != nullptr)
        SetFocus(target);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus))
          savedFocus_ = focus;
      } else if (savedFocus_ != nullptr && IsWindow(savedFocus_) && IsWindowEnabled(savedFocus_)) {
        SetFocus(savedFocus_);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (const std::intptr_t brush = ControlColour(wParam, reinterpret_cast<HWND>(lParam)))
        return brush;
      break;
    case WM_PAINT:
      PaintLine();
      return 0;
    case kMoveFocusOffDisabled:
      MoveFocusOffDisabled(static_cast<ControlId>(wParam));
      return 0;
    case kReapplySelection:
      if (HWND child = Handle(static_cast<ControlId>(wParam)); child && GetFocus() == child)
        PropertyChanged(static_cast<ControlId>(wParam), Property::Selection);
      return 0;
    case kDestroy:
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      // Closing the window by any means ends the program; the close box runs no handler.
      window_ = nullptr;
      children_ = {};
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void Win32Toolkit::OnCommand(ControlId id, unsigned code) {
  if (id == ControlId::Form1 || form_ == nullptr)
    return;
  const Control& control = (*form_)[id];
  switch (control.kind) {
    case ControlKind::CheckBox:
    case ControlKind::Button:
      // With BS_NOTIFY a quick second click arrives as a double click; it is a click all the same.
      if (code == BN_CLICKED || code == BN_DOUBLECLICKED)
        form_->UserClicked(id);
      else if (code == BN_SETFOCUS)
        OnFocusArrived(id);
      break;
    case ControlKind::TextBox:
      if (code == EN_SETFOCUS) {
        OnFocusArrived(id);
        // A mouse click places the caret after the focus arrived; select again once it is done.
        if (GetKeyState(VK_LBUTTON) < 0)
          PostMessageW(window_, kReapplySelection, static_cast<WPARAM>(id), 0);
      } else if (code == EN_CHANGE && !echoing_) {
        form_->UserEditedText(id, Utf16(WindowText(Handle(id))));
      }
      break;
    case ControlKind::Image:
      if (code == STN_CLICKED)
        form_->UserClicked(id);
      break;
    default:
      break;
  }
}

void Win32Toolkit::OnFocusArrived(ControlId id) {
  // As in a dialog box: a push button with the focus is the one Enter presses; elsewhere it is
  // the designed default button.
  const ControlKind kind = (*form_)[id].kind;
  MakeDefaultButton(kind == ControlKind::Button ? id : ControlId::Command1);
  form_->FocusArrived(id);
}

void Win32Toolkit::MakeDefaultButton(ControlId id) {
  if (id == defaultButton_)
    return;
  if (HWND previous = Handle(defaultButton_))
    SendMessageW(previous, BM_SETSTYLE, BS_PUSHBUTTON | BS_NOTIFY, TRUE);
  defaultButton_ = id;
  if (HWND next = Handle(id))
    SendMessageW(next, BM_SETSTYLE, BS_DEFPUSHBUTTON | BS_NOTIFY, TRUE);
}

void Win32Toolkit::MoveFocusOffDisabled(ControlId from) {
  if (window_ == nullptr || form_ == nullptr)
    return;
  HWND focus = GetFocus();
  if (focus != nullptr && focus != window_ && IsWindowEnabled(focus))
    return;  // the focus has found a home meanwhile
  const ControlId next = form_->NextInTabOrder(from, true);
  if (next != ControlId::Form1)
    MoveFocus(next);
}

std::intptr_t Win32Toolkit::ControlColour(std::uintptr_t dc, HWND child) {
  // Text1 blends into the dialog: the button-face colour behind its text, with or without focus.
  const ControlId id = ControlOf(child);
  if (id == ControlId::Form1 || !(*form_)[id].buttonFaceBackground)
    return 0;
  SetBkColor(reinterpret_cast<HDC>(dc), GetSysColor(COLOR_BTNFACE));
  SetTextColor(reinterpret_cast<HDC>(dc), GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<std::intptr_t>(GetSysColorBrush(COLOR_BTNFACE));
}

void Win32Toolkit::PaintLine() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  // Line1, the separator of the two halves: one pixel in the window-text colour, from its designed
  // top to its designed bottom (which lies below the client area).
  const Rect& line = (*form_)[ControlId::Line1].rect;
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
  HGDIOBJ previous = SelectObject(dc, pen);
  // Drawn downwards, because LineTo leaves out its end point.
  const bool upwards = line.height < 0;
  const int x1 = ToPixels(upwards ? line.left + line.width : line.left, dpi_);
  const int y1 = ToPixels(upwards ? line.top + line.height : line.top, dpi_);
  const int x2 = ToPixels(upwards ? line.left : line.left + line.width, dpi_);
  const int y2 = ToPixels(upwards ? line.top : line.top + line.height, dpi_);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, previous);
  DeleteObject(pen);
  EndPaint(window_, &paint);
}

}  // namespace quenda::win32
