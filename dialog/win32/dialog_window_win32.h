// The dialog on Windows: Form1 shown as a tool window of standard controls that the system's
// dialog manager runs (Tab order, access keys, Enter, Esc, the default button, the focus on
// reactivation). It is also the dialog's process services: those of both programs, with message
// boxes owned by the dialog.
#pragma once

#include <array>
#include <cstdint>

#include "child_windows_win32.h"
#include "fonts_win32.h"
#include "form1.h"
#include "process_services_win32.h"
#include "tooltips_win32.h"
#include "window_services.h"

struct HDC__;
struct HINSTANCE__;
struct HWND__;

namespace quenda::win32 {

class DialogWindow final : public ProcessServicesWin32, public WindowServices {
 public:
  explicit DialogWindow(HINSTANCE__* instance);
  ~DialogWindow() override;
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  // Shows `form` as Form_Load left it: makes the dialog window at the model's width, centred, and
  // one child window per visible control from the properties the model holds now; starts the
  // countdown if Form_Load started it; shows the window and gives the focus to the first control
  // of the focus order. Form_Load runs on the model alone, before any window exists, so each
  // window is made once in its start-up state instead of made as designed and then changed.
  // False when a window cannot be made.
  bool Show(Form1& form);
  // Runs until the dialog is gone; returns the process's exit code.
  int Run();
  // The dialog window (null before Show and after the dialog is closed).
  HWND__* Window() const { return window_; }

  // ---- Messages (dialog_messages_win32.cpp) ----
  // Message boxes are owned by the dialog, so they stay in front of it and keep it disabled.
  void ShowMessage(std::u16string_view text, MessageKind kind) override;
  bool Ask(std::u16string_view question) override;

  // ---- What the model shows (dialog_changes_win32.cpp) ----
  void ShowChange(ControlId id, Property property) override;
  void MoveFocus(ControlId id) override;
  void StartCountdown(int milliseconds) override;
  void StopCountdown() override;
  void SetWidth(float twips) override;
  void CloseDialog() override;

  // The dialog window's own handling of `message`, called by its window procedure. False leaves
  // the message to the dialog manager (DefDlgProcW).
  bool HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                     std::intptr_t& result);

 private:
  // Posted to itself (WM_APP, 0x8000, onwards): work that must wait until the control that
  // caused it has finished handling its own message.
  static constexpr unsigned kMoveFocusOffDisabled = 0x8000 + 1;  // wParam: the control disabled
  static constexpr unsigned kReapplySelection = 0x8000 + 2;  // wParam: the box that got the focus
  static constexpr unsigned kDestroy = 0x8000 + 3;
  static constexpr std::uintptr_t kCountdownTimer = 1;

  HWND__* Handle(ControlId id) const { return children_[IndexOf(id)]; }
  bool CreateWindowAndControls();
  // `measuring`: a DC of the screen in which auto-sized labels measure their captions.
  bool CreateChild(ControlId id, HDC__* measuring);
  // Whether a control whose left edge stands at `left` pixels shows in the client area.
  bool Reaches(int left) const;
  void ShowReachedControls();
  void ResizeTo(float widthTwips);
  void FitLabel(ControlId id);
  // The rectangle of the auto-sized label `id` for its present caption and font.
  PixelRect FittedRect(ControlId id, HDC__* measuring);
  void ShowText(ControlId id);
  void ShowEnabled(ControlId id);
  void MoveFocusOffDisabled(ControlId from);
  void OnCommand(ControlId id, unsigned code);
  void OnFocusArrived(ControlId id);
  void PaintLine();
  std::intptr_t ControlColour(std::uintptr_t dc, HWND__* child);

  HINSTANCE__* instance_;
  int dpi_;
  Fonts fonts_;
  Tooltips tooltips_;
  Form1* form_ = nullptr;
  HWND__* window_ = nullptr;
  std::array<HWND__*, kControlCount> children_{};
  // The running countdown's period in milliseconds, 0 while it is stopped. Form_Load starts it
  // before the window exists; Show then sets the timer.
  int countdownPeriod_ = 0;
  bool echoing_ = false;  // true while the model's text is being put into a box
};

}  // namespace quenda::win32
