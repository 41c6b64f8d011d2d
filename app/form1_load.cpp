// Form_Load: reads the stored configuration, fills the dialog, picks the language, settles the
// mode.
#include "form1.h"
#include "locations.h"
#include "registrys.h"
#include "texts.h"

namespace quenda {
namespace {

// A stored flag is on only when its text is exactly "1"; "01", " 1" and "true" are off.
int CheckStateOf(std::u16string_view flag) {
  return flag == u"1" ? 1 : 0;
}

}  // namespace

void Form1::Form_Load() {
  using registry::kCurrentUser;
  using registry::kLocalMachine;
  using enum ControlId;
  // Emptied before every read, so that a read that finds nothing or stops early leaves "".
  std::u16string value;
  // A credential stored with characters the code page cannot hold shows with '?' in their place
  // and, unless edited, is left as stored by the apply.
  bool unrepresentable = false;
  const auto fillBox = [&](ControlId box) {
    SetText(box, value);
    At(box).keepsStoredValue = unrepresentable;
  };

  GetValue(kLocalMachine, kComputerNameKey, kComputerNameValue, value);
  SetCaption(Label2, value);

  SetWidth(kNarrowWidth);
  SetLocked(Text2, false);
  SetLocked(Text3, false);

  value.clear();
  unrepresentable = false;
  GetValue(kLocalMachine, kWinlogonKey, kDefaultPasswordValue, value, &unrepresentable);
  fillBox(Text4);
  fillBox(Text6);

  value.clear();
  unrepresentable = false;
  GetValue(kLocalMachine, kWinlogonKey, kDefaultUserNameValue, value, &unrepresentable);
  fillBox(Text3);

  value.clear();
  GetValue(kCurrentUser, kInternationalKey, kLocaleValue, value);
  IsChinese = LocaleChoosesChinese(value);
  ApplyTextSet(*this);

  // The language is fixed before the boxes are set, since ticking Check2 starts the countdown
  // whose apply may show a message.
  value.clear();
  GetValue(kLocalMachine, kWinlogonKey, kAutoAdminLogonValue, value);
  SetValue(Check1, CheckStateOf(value));

  value.clear();
  unrepresentable = false;
  GetValue(kLocalMachine, kWinlogonKey, kDefaultDomainNameValue, value, &unrepresentable);
  fillBox(Text2);

  value.clear();
  GetValue(kLocalMachine, kWinlogonKey, kQuendaValue, value);
  SetValue(Check2, CheckStateOf(value));

  // Settles the mode even when the assignment above changed nothing.
  Check2_Click();
}

}  // namespace quenda
