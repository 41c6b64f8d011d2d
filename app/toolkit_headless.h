// A toolkit without a screen, for tests: it records what the model shows, keeps a virtual clock
// for Timer1, records message boxes, tracks the focus and plays the user's actions.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "form1.h"
#include "platform_headless.h"
#include "toolkit.h"

namespace quenda {

class HeadlessToolkit : public Toolkit {
 public:
  struct Change {
    ControlId id;
    Property property;
  };

  // The form that receives the events. Must be set before any event is played.
  void Attach(Form1& form) { form_ = &form; }

  // ---- Toolkit ----
  void PropertyChanged(ControlId id, Property property) override;
  void MoveFocus(ControlId id) override;
  void ShowMessageBox(std::u16string_view text, std::u16string_view title, unsigned style) override;
  // Deterministic: a character is hundredthsOfPoint / 10 twips wide (112 at 11.25 pt), a
  // full-width one (U+2E80 and above) twice that; the height is hundredthsOfPoint / 5.
  Extent MeasureText(const Font& font, std::u16string_view caption) override;
  void CloseForm() override;

  // ---- The user and the clock ----
  // Shows the dialog: the focus goes to the first control of the focus order.
  void Show();
  // Moves the virtual clock on. Timer1, while enabled, expires every Interval ms counted from the
  // moment it was (re-)enabled; each expiry goes to Form1::TimerExpired.
  void Advance(int milliseconds);
  // A mouse click: the control takes the focus when it can, then its Click event runs.
  void Click(ControlId id);
  // Types `text` over the box's contents. Refused (false) for a disabled or locked box.
  bool Type(ControlId id, std::u16string text);
  void Tab();
  void ShiftTab();
  // A mouse click into a control that takes the focus.
  void Focus(ControlId id);

  // ---- What happened ----
  std::vector<Change> changes;
  std::vector<RecordedMessageBox> messageBoxes;
  int expiries = 0;  // expiries handed to the form
  bool closed = false;
  // Runs while a message box is "open", before ShowMessageBox returns.
  std::function<void(const RecordedMessageBox&)> onMessageBox;

  bool TimerRunning() const { return timerRunning_; }

 private:
  Form1& form() { return *form_; }

  Form1* form_ = nullptr;
  long long now_ = 0;
  long long nextExpiry_ = 0;
  bool timerRunning_ = false;
};

// A form wired to a headless toolkit, ready to Load.
struct HeadlessDialog {
  HeadlessToolkit toolkit;
  Form1 form{toolkit};
  HeadlessDialog() { toolkit.Attach(form); }
};

}  // namespace quenda
