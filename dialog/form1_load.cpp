// Form_Load: reads the stored configuration, fills the dialog, picks the language, settles the
// mode.
#include "form1.h"
#include "locations.h"
#include "password_store.h"
#include "texts.h"

namespace quenda {

void Form1::Form_Load() {
  using enum ControlId;
  SetCaption(Label2, ReadComputerName());

  SetWidth(kNarrowWidth);
  SetLocked(Text2, false);
  SetLocked(Text3, false);

  // Each credential box remembers what start-up showed, so that the apply can leave a value it
  // cannot show faithfully as it is stored, unless the box was changed.
  // The password Windows will use: the protected one when it exists.
  storedPassword_ = ReadStoredPassword().text;
  SetText(Text4, storedPassword_.text);
  SetText(Text6, storedPassword_.text);

  storedUser_ = ReadCredential(kDefaultUserNameValue);
  SetText(Text3, storedUser_.text);

  ChooseLanguageFromLocale();
  ApplyTextSet(*this);

  // The language is fixed before the boxes are set, since ticking Check2 starts the countdown
  // whose apply may show a message.
  SetValue(Check1, ReadFlag(kAutoAdminLogonValue) ? 1 : 0);

  storedDomain_ = ReadCredential(kDefaultDomainNameValue);
  SetText(Text2, storedDomain_.text);

  SetValue(Check2, ReadFlag(kQuendaValue) ? 1 : 0);

  // Settles the mode even when the assignment above changed nothing.
  Check2_Click();
}

}  // namespace quenda
