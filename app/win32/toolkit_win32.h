// The Win32 toolkit: shows Form1 as a top-level tool window made of standard controls and turns
// the user's input into the model's events.
#pragma once

#include <array>
#include <cstdint>

#include "fonts_win32.h"
#include "form1.h"
#include "toolkit.h"
#include "tooltips_win32.h"

struct HINSTANCE__;
struct HWND__;

namespace quenda::win32 {

class Win32Toolkit final : public Toolkit {
 public:
  explicit Win32Toolkit(HINSTANCE__* instance);
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  // Makes the hidden dialog window and one child window per visible control, from the form's
  // designed properties. False when the window cannot be made.
  bool Create(Form1& form);
  // Centres the window at its present width, shows it and gives the focus to the first control
  // of the focus order.
  void Show();
  // Runs until the dialog is gone; returns the process's exit code.
  int RunMessageLoop();
  // The dialog window (null before Create and after the dialog is closed).
  HWND__* Window() const { return window_; }

  void PropertyChanged(ControlId id, Property property) override;
  void MoveFocus(ControlId id) override;
  void ShowMessageBox(std::u16string_view text, std::u16string_view title, unsigned style) override;
  Extent MeasureText(const Font& font, std::u16string_view caption) override;
  void CloseForm() override;

  // The dialog window's message handling, called by its window procedure.
  std::intptr_t HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

 private:
  HWND__* Handle(ControlId id) const { return children_[IndexOf(id)]; }
  ControlId ControlOf(HWND__* child) const;
  bool CreateChild(ControlId id);
  void ResizeWindow();
  void ShowText(ControlId id);
  void ShowEnabled(ControlId id);
  void OnCommand(ControlId id, unsigned code);
  void OnFocusArrived(ControlId id);
  void MakeDefaultButton(ControlId id);
  void MoveFocusOffDisabled(ControlId from);
  void PaintLine();
  std::intptr_t ControlColour(std::uintptr_t dc, HWND__* child);

  HINSTANCE__* instance_;
  int dpi_;
  Fonts fonts_;
  Tooltips tooltips_;
  Form1* form_ = nullptr;
  HWND__* window_ = nullptr;
  std::array<HWND__*, kControlCount> children_{};
  HWND__* savedFocus_ = nullptr;  // the control to give the focus back to on reactivation
  ControlId defaultButton_ = ControlId::Command1;
  bool echoing_ = false;  // true while the model's text is being put into a box
};

}  // namespace quenda::win32
