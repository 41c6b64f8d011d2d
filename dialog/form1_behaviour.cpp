// The handlers of the settings half: the coupled check boxes, the countdown, apply and cancel.
#include "credential_check.h"
#include "form1.h"
#include "password_store.h"
#include "readiness.h"
#include "save_step.h"
#include "texts.h"

namespace quenda {
namespace {

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
  for (ControlId id : kCredentialGroup)
    SetEnabled(id, !automatic);
  if (automatic)
    SetValue(Check1, 1);
  SetEnabled(Check1, !automatic);
}

void Form1::Timer1_Timer() {
  Apply(false);
}

void Form1::Command1_Click() {
  Apply(true);
}

void Form1::Apply(bool byUser) {
  using enum ControlId;
  if (At(Text4).text != At(Text6).text) {
    process_.ShowMessage(MismatchMessage(), MessageKind::Plain);
    // In the automatic mode Text4 is disabled: SetFocus leaves the focus where it is and the
    // countdown repeats the check at its next expiry.
    SetFocus(Text4);
    return;
  }
  SetEnabled(Timer1, false);
  const LogonSettings settings{.autoLogon = At(Check1).value == 1,
                               .automatic = At(Check2).value == 1,
                               .user = storedUser_.ToWrite(At(Text3).text),
                               .password = storedPassword_.ToWrite(At(Text4).text),
                               .domain = storedDomain_.ToWrite(At(Text2).text)};
  if (byUser) {
    const LogonCheck check = TryCredentials(settings, process_);
    if (Refuses(check) && !process_.Ask(LogonRefusedMessage(check).append(SaveAnywayQuestion()))) {
      ReturnToManualMode(Text4);
      return;
    }
  }
  switch (SaveSettings(settings, process_)) {
    case SaveOutcome::Saved:
      // Read only now: start-up stays as quick as it was.
      if (byUser && settings.autoLogon) {
        const std::u16string findings =
            FindingLines(ReadReadiness(WherePasswordIsKept() == PasswordLocation::Protected), true);
        if (!findings.empty())
          process_.ShowMessage(findings, MessageKind::Warning);
      }
      Unload();
      return;
    case SaveOutcome::UserRefused:
      ReturnToManualMode(Text3);
      return;
    case SaveOutcome::PasswordRefused:
      ReturnToManualMode(Text4);
      return;
    case SaveOutcome::DomainRefused:
      ReturnToManualMode(Text2);
      return;
  }
}

// A refused text must be corrected by hand: the automatic mode ends as a click on Check2 would end
// it (the boxes enabled again, no countdown), and the refused box gets the focus.
void Form1::ReturnToManualMode(ControlId refusedBox) {
  SetValue(ControlId::Check2, 0);
  SetFocus(refusedBox);
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
