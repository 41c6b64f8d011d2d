// The dialog window: its class, its child windows, the message loop, and the user's input turned
// into the model's events. The dialog manager (DefDlgProcW, IsDialogMessageW) does the keyboard.
#include <windows.h>
#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "child_windows_win32.h"
#include "control_ids.h"
#include "dialog_window_win32.h"
#include "logo_win32.h"
#include "resource_ids.h"
#include "units_win32.h"
#include "wide_text.h"

namespace quenda::win32 {

namespace {

// A fixed tool window: narrow caption with a close box only, no taskbar button, not resizable.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kWindowExStyle = WS_EX_TOOLWINDOW;

// Tooltips wrap at this width (3 inches).
constexpr int kTooltipWidthTwips = 4320;

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  // Messages sent while the window is being made, or after it was destroyed, get the defaults.
  auto* dialog = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  LRESULT result = 0;
  if (dialog != nullptr && dialog->Window() == window &&
      dialog->HandleMessage(message, wParam, lParam, result)) {
    return result;
  }
  return DefDlgProcW(window, message, wParam, lParam);
}

bool RegisterDialogClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = DialogProc;
  // The dialog manager keeps its state (saved focus, default button) in these extra bytes.
  windowClass.cbWndExtra = DLGWINDOWEXTRA;
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

// The window's outer rectangle for an outer width of `widthTwips`, with its client area at (0, 0).
// The client area is that width less the designed 45-twip frame on each side, and always 4620
// twips high; the real frame and caption are added around it, whatever size the system gives them.
RECT FrameFor(float widthTwips, int dpi) {
  const int width = static_cast<int>(widthTwips + 0.5f);  // widths are positive
  RECT rect{0, 0, ToPixels(width - 2 * kFrameTwips, dpi), ToPixels(kClientHeight, dpi)};
  AdjustWindowRectEx(&rect, kWindowStyle, FALSE, kWindowExStyle);
  return rect;
}

std::u16string WindowText(HWND window) {
  std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window, AsWide(text.data()), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

DialogWindow::DialogWindow(HINSTANCE instance)
    : instance_(instance), dpi_(DisplayDpi()), fonts_(dpi_) {}

DialogWindow::~DialogWindow() {
  if (window_ != nullptr)
    DestroyWindow(window_);
}

bool DialogWindow::Show(Form1& form) {
  form_ = &form;
  if (!CreateWindowAndControls())
    return false;
  if (countdownPeriod_ != 0)
    StartCountdown(countdownPeriod_);
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  SetForegroundWindow(window_);
  // The first tab stop that is enabled, as the dialog manager counts them.
  if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE))
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
  return true;
}

bool DialogWindow::CreateWindowAndControls() {
  if (!RegisterDialogClass(instance_) || !RegisterLogoClass(instance_))
    return false;
  // At the width start-up left (the narrow one), centred in the work area of the primary display.
  const RECT frame = FrameFor(form_->Width(), dpi_);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const std::u16string& caption = (*form_)[ControlId::Form1].caption;
  window_ = CreateWindowExW(kWindowExStyle, kDialogClassName, AsWide(caption.c_str()), kWindowStyle,
                            work.left + (work.right - work.left - width) / 2,
                            work.top + (work.bottom - work.top - height) / 2, width, height,
                            nullptr, nullptr, instance_, this);
  if (window_ == nullptr)
    return false;
  tooltips_.Create(window_, ToPixels(kTooltipWidthTwips, dpi_));
  // One DC of the dialog for every label's measure: the screen's fonts and DPI.
  HDC measuring = GetDC(window_);
  bool made = true;
  for (ControlId id : CreationOrder(*form_)) {
    if (!(made = CreateChild(id, measuring)))
      break;
  }
  ReleaseDC(window_, measuring);
  return made;
}

bool DialogWindow::CreateChild(ControlId id, HDC measuring) {
  const Control& control = (*form_)[id];
  const ChildWindow kind = ChildWindowFor(control);
  // An auto-sized label is made at the size of its caption, not moved there afterwards.
  const PixelRect rect =
      control.autoSize ? FittedRect(id, measuring) : PixelRectOf(*form_, id, dpi_);
  // A text box shows its text, the others their caption. The logo has neither: it carries the
  // address its tooltip shows, which is what a screen reader then reads for it.
  const std::u16string& text = control.kind == ControlKind::TextBox ? control.text
                               : control.kind == ControlKind::Image ? control.toolTipText
                                                                    : control.caption;
  // A control beyond the right edge (the information panel, at the narrow width) is made hidden
  // and shown once the window first reaches it: showing costs each window a trip through the
  // window manager, and the logo decodes its picture only once somebody can see it.
  const DWORD style = Reaches(rect.left) ? kind.style : kind.style & ~WS_VISIBLE;
  HWND child = CreateWindowExW(kind.exStyle, kind.className, AsWide(text.c_str()), style, rect.left,
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

// The left edge and the height stay; only the right edge moves.
void DialogWindow::ResizeTo(float widthTwips) {
  const RECT frame = FrameFor(widthTwips, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int DialogWindow::Run() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    tooltips_.Relay(message);
    // The dialog manager gives Tab, Shift+Tab, access keys, Enter and Esc their dialog meaning.
    if (window_ != nullptr && IsDialogMessageW(window_, &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

bool DialogWindow::HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                 std::intptr_t& result) {
  result = 0;
  switch (message) {
    case WM_COMMAND:
      // Control notifications, and Enter and Esc, which the dialog manager sends as clicks of
      // IDOK (or the focused push button) and IDCANCEL.
      OnCommand(ControlOfChildId(LOWORD(wParam)), HIWORD(wParam));
      return true;
    case WM_TIMER:
      // An expiry that arrives inside a handler (a message box's loop) is held by the model.
      if (wParam == kCountdownTimer && form_ != nullptr)
        form_->TimerExpired();
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      result = ControlColour(wParam, reinterpret_cast<HWND>(lParam));
      return result != 0;
    case WM_PAINT:
      PaintLine();
      return true;
    case WM_CLOSE:
      // The close box runs no handler of the program's own and writes nothing. (The dialog
      // manager would turn it into a click of Cancel.)
      DestroyWindow(window_);
      return true;
    case kMoveFocusOffDisabled:
      MoveFocusOffDisabled(static_cast<ControlId>(wParam));
      return true;
    case kReapplySelection:
      if (HWND child = Handle(static_cast<ControlId>(wParam)); child && GetFocus() == child)
        ShowChange(static_cast<ControlId>(wParam), Property::Selection);
      return true;
    case kDestroy:
      DestroyWindow(window_);
      return true;
    case WM_DESTROY:
      // Closing the window by any means ends the program.
      window_ = nullptr;
      children_ = {};
      PostQuitMessage(0);
      return true;
    default:
      return false;
  }
}

void DialogWindow::OnCommand(ControlId id, unsigned code) {
  if (id == ControlId::Form1 || form_ == nullptr)
    return;
  switch ((*form_)[id].kind) {
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
        form_->UserEditedText(id, WindowText(Handle(id)));
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

void DialogWindow::OnFocusArrived(ControlId id) {
  // The dialog manager keeps the default button in step with the focus only when it moves the
  // focus itself (Tab, Show, MoveFocus). A click or an access key moves it without it, so it is
  // told here; for the control that already has the focus it changes nothing else.
  SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Handle(id)), TRUE);
  form_->FocusArrived(id);
}

std::intptr_t DialogWindow::ControlColour(std::uintptr_t dc, HWND child) {
  // Text1 blends into the dialog: the button-face colour behind its text, with or without focus.
  const ControlId id = ControlOfChildId(GetDlgCtrlID(child));
  if (id == ControlId::Form1 || !(*form_)[id].buttonFaceBackground)
    return 0;
  SetBkColor(reinterpret_cast<HDC>(dc), GetSysColor(COLOR_BTNFACE));
  SetTextColor(reinterpret_cast<HDC>(dc), GetSysColor(COLOR_BTNTEXT));
  return reinterpret_cast<std::intptr_t>(GetSysColorBrush(COLOR_BTNFACE));
}

void DialogWindow::PaintLine() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  // Line1, the vertical separator of the two halves: one pixel wide in the window-text colour,
  // from its designed top to its designed bottom (which lies below the client area).
  const Rect& line = (*form_)[ControlId::Line1].rect;
  const int x = ToPixels(line.left, dpi_);
  const RECT rect{x, ToPixels(std::min(line.top, line.top + line.height), dpi_), x + 1,
                  ToPixels(std::max(line.top, line.top + line.height), dpi_)};
  FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWTEXT));
  EndPaint(window_, &paint);
}

}  // namespace quenda::win32
