// Form1: the dialog model and its event handlers.
//
// The model holds every control's properties (controls.h). Handlers read and write the model and
// reach the outside only through the registry routines, the save step, ProcessServices and
// WindowServices. The
// same class runs behind the Win32 window and behind the headless services of the tests.
//
// Event delivery: one event at a time. A timer expiry that arrives while a handler is running
// (for example inside the modal loop of a message box) is held and delivered once, after the
// outermost handler has returned, if the countdown is still enabled then; expiries never pile up.
#pragma once

#include <array>
#include <string>

#include "controls.h"
#include "process_services.h"
#include "stored_settings.h"
#include "window_services.h"

namespace quenda {

class Form1 {
 public:
  // Creates the dialog with every control holding its designed properties (width 8040, both check
  // boxes ticked, Timer1 stopped). Nothing is shown and no handler runs yet.
  Form1(ProcessServices& process, WindowServices& window);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // ---- Reading the model ----
  const Control& operator[](ControlId id) const { return controls_[IndexOf(id)]; }
  float Width() const { return width_; }
  bool Unloaded() const { return unloaded_; }
  // The control that holds the focus (Form1 when none does).
  ControlId Focused() const { return focused_; }

  // ---- Events from the window ----
  // Runs Form_Load. Called once, after construction and before the dialog is shown.
  void Load();
  // A click by the user (mouse, Space, access key, Enter/Esc for the default/cancel buttons).
  // Check box: its Value flips, which runs its Click handler. Button, Image1: the Click handler.
  // Ignored for disabled controls and after Unload.
  void UserClicked(ControlId id);
  // The user typed into a text box: the model takes the new text without echoing it back.
  void UserEditedText(ControlId id, std::u16string text);
  // The focus arrived at `id` (by Tab, mouse or MoveFocus); runs its GotFocus handler, if any.
  void FocusArrived(ControlId id);
  // Timer1 expired.
  void TimerExpired();

  // ---- Property writes (each shows a real change through the services) ----
  void SetCaption(ControlId id, std::u16string caption);
  void SetText(ControlId id, std::u16string text);
  void SetToolTipText(ControlId id, std::u16string text);
  void SetFontName(ControlId id, std::u16string name);
  void SetEnabled(ControlId id, bool enabled);  // Timer1: starts or stops the countdown
  void SetLocked(ControlId id, bool locked);
  // The check-box rule: a Value different from the current one runs the box's Click handler
  // inside this call; the same Value runs nothing.
  void SetValue(ControlId id, int value);
  void SetSelection(ControlId id, int start, int length);
  void SetFocus(ControlId id);
  void SetWidth(float twips);
  void Unload();

  // ---- Handlers ----
  void Form_Load();
  void Check1_Click();
  void Check2_Click();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Image1_Click();
  void Timer1_Timer();
  void Text2_GotFocus();
  void Text3_GotFocus();
  void Text4_GotFocus();
  void Text6_GotFocus();

 private:
  Control& At(ControlId id) { return controls_[IndexOf(id)]; }
  // Stores `value` in `field` of `id` and shows it; false when it held that value already.
  template <typename Value>
  bool Assign(ControlId id, Value Control::*field, Value value, Property property);
  void DeliverHeldExpiry();
  // OK's apply. `byUser`: pressed by someone, who is asked about credentials Windows refuses
  // and told afterwards what stops the automatic logon; false for the countdown's apply, which
  // never tries the credentials and never waits for anyone.
  void Apply(bool byUser);
  void ReturnToManualMode(ControlId refusedBox);

  ProcessServices& process_;
  WindowServices& window_;
  // The credentials as start-up read them (Text4 for the password, Text3, Text2).
  StoredText storedPassword_;
  StoredText storedUser_;
  StoredText storedDomain_;
  std::array<Control, kControlCount> controls_;
  float width_ = kWideWidth;
  ControlId focused_ = ControlId::Form1;
  bool loaded_ = false;
  bool unloaded_ = false;
  int handlerDepth_ = 0;
  bool expiryHeld_ = false;
};

}  // namespace quenda

namespace quenda {

// Applies the text set IsChinese selects: for Chinese the face of the listed controls first, then
// every row in order; for English the rows that apply to it (Text1 keeps its designed texts).
void ApplyTextSet(Form1& form);

}  // namespace quenda
