// Form_Load: reads the stored configuration, fills the dialog, picks the language, settles the
// mode.
#include "form1.h"
#include "language.h"
#include "locations.h"
#include "registrys.h"
#include "text_sets.h"

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

  GetValue(kLocalMachine, kComputerNameKey, kComputerNameValue, value);
  SetCaption(Label2, value);

  SetWidth(kNarrowWidth);
  SetLocked(Text2, false);
  SetLocked(Text3, false);

  value.clear();
  GetValue(kLocalMachine, kWinlogonKey, kDefaultPasswordValue, value);
  SetText(Text4, value);
  SetText(Text6, value);

  value.clear();
  GetValue(kLocalMachine, kWinlogonKey, kDefaultUserNameValue, value);
  SetText(Text3, value);

  value.clear();
  GetValue(kCurrentUser, kInternationalKey, kLocaleValue, value);
  IsChinese = LocaleChoosesChinese(value);
  ApplyTextSet(*this, IsChinese);

  // The language is fixed before the boxes are set, since ticking Check2 starts the countdown
  // whose apply may show a message.
  value.clear();
  GetValue(kLocalMachine, kWinlogonKey, kAutoAdminLogonValue, value);
  SetValue(Check1, CheckStateOf(value));

  value.clear();
  GetValue(kLocalMachine, kWinlogonKey, kDefaultDomainNameValue, value);
  SetText(Text2, value);

  value.clear();
  GetValue(kLocalMachine, kWinlogonKey, kQuendaValue, value);
  SetValue(Check2, CheckStateOf(value));

  // Settles the mode even when the assignment above changed nothing.
  Check2_Click();
}

}  // namespace quenda
