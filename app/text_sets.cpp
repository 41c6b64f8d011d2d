// The English and Traditional Chinese text sets, the locale rule, and applying a set to Form1.
#include "text_sets.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <utility>

#include "form1.h"

namespace quenda {
namespace {

// One assignment of a text set. A copy row (copyFrom set) takes, at apply time, the same property
// of another control instead of a literal text.
struct TextSetRow {
  ControlId control;
  Property property;  // Caption, Text or ToolTipText
  std::u16string_view english;
  std::u16string_view chinese;
  ControlId copyFrom = ControlId::Form1;  // Form1: a literal row
  bool appliesInEnglish = true;
};

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

// The rows in the order they are applied.
std::span<const TextSetRow> TextSetRows() {
  using enum ControlId;
  static constexpr std::array kRows = {
      TextSetRow{Label1, Property::Caption, u"Machine Name", u"電腦名稱"},
      TextSetRow{Label4, Property::Caption, u"User Name", u"使用者名稱"},
      TextSetRow{Label5, Property::Caption, u"Password", u"密碼"},
      TextSetRow{Label6, Property::Caption, u"re-Password", u"確認密碼"},
      TextSetRow{Label3, Property::Caption, u"Domain Name", u"網域名稱"},
      TextSetRow{Check1, Property::Caption, u"&Starting Auto Logon", u"啟動自動登入(&S)"},
      TextSetRow{Check1, Property::ToolTipText,
                 u"This is the Program Titles, Check this, and automatically Logon with the "
                 u"following user informations.",
                 u"這是本程式的標題功能, 您只要選取本項目, 就會以下列的使用者資訊自動幫您登入."},
      TextSetRow{Check2, Property::Caption, u"&Automatically", u"程式自動操作(&A)"},
      TextSetRow{Check2, Property::ToolTipText,
                 u"After 5 seconds the program automatically take effect.",
                 u"五秒鐘之後程式自動操作."},
      TextSetRow{Command1, Property::Caption, u"&OK", u"確定(&O)"},
      TextSetRow{Command2, Property::Caption, u"&Cancel", u"取消(&C)"},
      TextSetRow{Command3, Property::Caption, u"About (&Help)", u"關於(&H)"},
      TextSetRow{Frame1, Property::Caption, u"Corvane Corporation.", u"晨柏科技"},
      // The English set keeps Text1's designed contact text and tooltip; the Chinese one copies
      // them from the hidden Text5, which holds them as designed.
      TextSetRow{Text1, Property::Text, {}, {}, Text5, false},
      TextSetRow{Text1, Property::ToolTipText, {}, {}, Text5, false},
      TextSetRow{Text3, Property::ToolTipText,
                 u"Make ture keyin a Managerial users,(like Administrator), DON'T try the lower "
                 u"level users, cos you Cannot Stop the AutoLogon.",
                 u"請用系統管理階層的使用者來自動登入,(例如:Administrator), "
                 u"請勿嘗試用較低等級的使用者,可能會造成永遠的自動登入無法解除."},
      TextSetRow{Text4, Property::ToolTipText,
                 u"Set user's password to blank is better for safly system. cos NT auto release "
                 u"after every AutoLogon.",
                 u"建議您盡可能的在使用者管理員設定使用者密碼為空的. 因為在這種情況, "
                 u"AutoLogon之後NT會自己解除. 多增加了一層安全性."},
      // Read after the row above, so the confirmation box always shows the password's tooltip.
      TextSetRow{Text6, Property::ToolTipText, {}, {}, Text4},
  };
  return kRows;
}

// The controls that take the Chinese font, in order, before any caption changes.
std::span<const ControlId> ChineseFontControls() {
  using enum ControlId;
  static constexpr std::array kControls = {Label1, Label4, Label5,   Label6,   Label3,
                                           Check1, Check2, Command1, Command2, Command3};
  return kControls;
}

}  // namespace

bool LocaleChoosesChinese(std::u16string_view locale) {
  constexpr std::u16string_view kTaiwanSuffix = u"404";
  const std::size_t length = std::min(locale.size(), kTaiwanSuffix.size());
  return locale.substr(locale.size() - length) == kTaiwanSuffix;
}

void ApplyTextSet(Form1& form, bool chinese) {
  if (chinese) {
    for (ControlId id : ChineseFontControls())
      form.SetFontName(id, std::u16string(kChineseFontName));
  }
  for (const TextSetRow& row : TextSetRows()) {
    if (!chinese && !row.appliesInEnglish)
      continue;
    std::u16string value = row.copyFrom != ControlId::Form1
                               ? ValueOf(form[row.copyFrom], row.property)
                               : std::u16string(chinese ? row.chinese : row.english);
    Assign(form, row.control, row.property, std::move(value));
  }
}

std::u16string_view MismatchMessage(bool chinese) {
  return chinese ? u"兩次輸入的密碼不一樣, 請再輸入一次."
                 : u"Not Confirmed password, please keyin again.";
}

std::u16string_view ReadmeFileName(bool chinese) {
  return chinese ? u"readmetw.txt" : u"readme.txt";
}

}  // namespace quenda
