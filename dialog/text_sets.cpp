// The dialog's text sets and applying one to Form1: fonts first (Chinese only), then every row
// in order.
#include "text_sets.h"

#include <array>

#include "form1.h"

namespace quenda {

std::span<const TextSetRow> TextSetRows() {
  using enum ControlId;
  using namespace dialog_text;
  static constexpr std::array kRows = {
      TextSetRow{Label1, Property::Caption, &kMachineName},
      TextSetRow{Label4, Property::Caption, &kUserName},
      TextSetRow{Label5, Property::Caption, &kPassword},
      TextSetRow{Label6, Property::Caption, &kConfirmation},
      TextSetRow{Label3, Property::Caption, &kDomainName},
      TextSetRow{Check1, Property::Caption, &kStartingAutoLogon},
      TextSetRow{Check1, Property::ToolTipText, &kStartingAutoLogonTip},
      TextSetRow{Check2, Property::Caption, &kAutomatically},
      TextSetRow{Check2, Property::ToolTipText, &kAutomaticallyTip},
      TextSetRow{Command1, Property::Caption, &kOk},
      TextSetRow{Command2, Property::Caption, &kCancel},
      TextSetRow{Command3, Property::Caption, &kAbout},
      TextSetRow{Frame1, Property::Caption, &kMaker},
      // The English set keeps Text1's designed contact text and tooltip; the Chinese one copies
      // them from the hidden Text5, which holds them as designed.
      TextSetRow{Text1, Property::Text, nullptr, Text5, false},
      TextSetRow{Text1, Property::ToolTipText, nullptr, Text5, false},
      TextSetRow{Text3, Property::ToolTipText, &kUserNameTip},
      TextSetRow{Text4, Property::ToolTipText, &kPasswordTip},
      // Read after the row above, so the confirmation box always shows the password's tooltip.
      TextSetRow{Text6, Property::ToolTipText, nullptr, Text4},
  };
  return kRows;
}

std::span<const ControlId> ChineseFontControls() {
  using enum ControlId;
  static constexpr std::array kControls = {Label1, Label4, Label5,   Label6,   Label3,
                                           Check1, Check2, Command1, Command2, Command3};
  return kControls;
}

namespace {

std::u16string ValueOf(const Control& control, Property property) {
  switch (property) {
    case Property::Caption:
      return control.caption;
    case Property::Text:
      return control.text;
    default:
      return control.toolTipText;
  }
}

void Assign(Form1& form, ControlId id, Property property, std::u16string value) {
  switch (property) {
    case Property::Caption:
      form.SetCaption(id, std::move(value));
      break;
    case Property::Text:
      form.SetText(id, std::move(value));
      break;
    default:
      form.SetToolTipText(id, std::move(value));
      break;
  }
}

}  // namespace

void ApplyTextSet(Form1& form) {
  if (IsChinese) {
    for (ControlId id : ChineseFontControls())
      form.SetFontName(id, std::u16string(kChineseFontName));
  }
  for (const TextSetRow& row : TextSetRows()) {
    if (!IsChinese && !row.appliesInEnglish)
      continue;
    std::u16string value = row.copyFrom != ControlId::Form1
                               ? ValueOf(form[row.copyFrom], row.property)
                               : std::u16string((*row.text)());
    Assign(form, row.control, row.property, std::move(value));
  }
}

}  // namespace quenda
