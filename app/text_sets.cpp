// Applying a text set to Form1: fonts first (Chinese only), then every row in order.
#include "form1.h"
#include "texts.h"

namespace quenda {
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
                               : std::u16string(IsChinese ? row.chinese : row.english);
    Assign(form, row.control, row.property, std::move(value));
  }
}

}  // namespace quenda
