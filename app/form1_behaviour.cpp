// The handlers of the settings half: the coupled check boxes, the countdown, apply and cancel.
#include "form1.h"
#include "language.h"
#include "locations.h"
#include "platform.h"
#include "registrys.h"
#include "text_sets.h"

namespace quenda {
namespace {

// The credential boxes and their captions, enabled and disabled together by Check2_Click.
constexpr ControlId kCredentialBoxes[] = {ControlId::Text2, ControlId::Text3, ControlId::Text4,
                                          ControlId::Text6};
constexpr ControlId kCredentialLabels[] = {ControlId::Label4, ControlId::Label5, ControlId::Label6,
                                           ControlId::Label3};

// A check-box state as the text the flag values store: "0" or "1".
std::u16string StateText(int state) {
  return std::u16string(1, static_cast<char16_t>(u'0' + state));
}

// Typing into a box that has just received the focus replaces its whole content.
void SelectAll(Form1& form, ControlId id) {
  form.SetSelection(id, 0, static_cast<int>(form[id].text.size()));
}

}  // namespace

// Clearing "Starting Auto Logon" leaves the automatic mode; ticking it never enters it.
void Form1::Check1_Click() {
  using enum ControlId;
  if (At(Check1).value == 0) {
    SetValue(Check2, 0);
  }
}

// The automatic mode greys the credentials and Check1 (ticked) and runs the countdown; the manual
// mode stops the countdown and gives everything back, leaving Check1's state as it is.
void Form1::Check2_Click() {
  using enum ControlId;
  const bool automatic = At(Check2).value == 1;
  SetEnabled(Timer1, automatic);
  for (ControlId id : kCredentialBoxes)
    SetEnabled(id, !automatic);
  for (ControlId id : kCredentialLabels)
    SetEnabled(id, !automatic);
  if (automatic)
    SetValue(Check1, 1);
  SetEnabled(Check1, !automatic);
}

void Form1::Timer1_Timer() {
  Command1_Click();
}

void Form1::Command1_Click() {
  using enum ControlId;
  if (At(Text4).text != At(Text6).text) {
    toolkit_.ShowMessageBox(MismatchMessage(IsChinese), kAppTitle, kMessageOk);
    // In the automatic mode Text4 is disabled: SetFocus leaves the focus where it is and the
    // countdown repeats the check at its next expiry.
    SetFocus(Text4);
    return;
  }
  SetEnabled(Timer1, false);
  const std::u16string flag = StateText(At(Check1).value);
  const std::u16string user = At(Text3).text;
  const std::u16string password = At(Text4).text;
  const std::u16string domain = At(Text2).text;
  SaveAutoLogon(flag, user, password, domain);
  quenda::SetValue(registry::kLocalMachine, kWinlogonKey, kQuendaValue,
                   StateText(At(Check2).value));
  Unload();
}

void Form1::Command2_Click() {
  Unload();
}

void Form1::Text2_GotFocus() {
  SelectAll(*this, ControlId::Text2);
}
void Form1::Text3_GotFocus() {
  SelectAll(*this, ControlId::Text3);
}
void Form1::Text4_GotFocus() {
  SelectAll(*this, ControlId::Text4);
}
void Form1::Text6_GotFocus() {
  SelectAll(*this, ControlId::Text6);
}

}  // namespace quenda
