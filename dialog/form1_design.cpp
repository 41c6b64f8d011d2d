// The designed properties of Form1's controls: geometry, fonts, captions, focus order and looks.
#include "form1_design.h"

#include <utility>

#include "texts.h"

namespace quenda {
namespace {

// Font sizes in hundredths of a point.
constexpr int kFormFontSize = 900;  // the dialog's font, used by controls that store none
constexpr int kCaptionFontSize = 1125;
constexpr int kHintFontSize = 825;
constexpr int kPasswordFontSize = 1425;
constexpr int kVersionFontSize = 975;

constexpr int kInputMethodOff = 3;
constexpr int kBothScrollBars = 3;
constexpr int kNoBorder = 0;

Control Make(ControlId id, ControlKind kind, Rect rect, int fontSize) {
  Control control;
  control.id = id;
  control.kind = kind;
  control.rect = rect;
  control.font.hundredthsOfPoint = fontSize;
  return control;
}

// Labels size themselves to their caption; the designed sizes are those of the designed captions.
Control Label(ControlId id, Rect rect, int fontSize, std::u16string_view caption,
              Alignment alignment = Alignment::Left) {
  Control control = Make(id, ControlKind::Label, rect, fontSize);
  control.caption = caption;
  control.alignment = alignment;
  control.autoSize = true;
  return control;
}

Control Focusable(ControlId id, ControlKind kind, Rect rect, int fontSize, int tabIndex) {
  Control control = Make(id, kind, rect, fontSize);
  control.tabStop = true;
  control.tabIndex = tabIndex;
  return control;
}

Control CheckBox(ControlId id, Rect rect, std::u16string_view caption, int tabIndex) {
  Control control = Focusable(id, ControlKind::CheckBox, rect, kCaptionFontSize, tabIndex);
  control.caption = caption;
  control.value = 1;
  return control;
}

Control TextBox(ControlId id, Rect rect, int fontSize, std::u16string_view text, int tabIndex) {
  Control control = Focusable(id, ControlKind::TextBox, rect, fontSize, tabIndex);
  control.text = text;
  return control;
}

Control PasswordBox(ControlId id, Rect rect, int tabIndex) {
  Control control = TextBox(id, rect, kPasswordFontSize, dialog_text::kDesignedPassword, tabIndex);
  control.passwordChar = u'*';
  control.imeMode = kInputMethodOff;
  return control;
}

Control Button(ControlId id, Rect rect, std::u16string_view caption, int tabIndex) {
  Control control = Focusable(id, ControlKind::Button, rect, kCaptionFontSize, tabIndex);
  control.caption = caption;
  return control;
}

// Text1 and Text5 look alike: read-only multi-line boxes without border that blend into the
// dialog. Neither is reached by Tab; Text1 takes the focus only by a mouse click.
Control PanelTextBox(ControlId id, Rect rect, std::u16string_view text,
                     std::u16string_view toolTip) {
  Control control = Make(id, ControlKind::TextBox, rect, kFormFontSize);
  control.container = ControlId::Frame1;
  control.text = text;
  control.toolTipText = toolTip;
  control.multiLine = true;
  control.scrollBars = kBothScrollBars;
  control.locked = true;
  control.borderStyle = kNoBorder;
  control.buttonFaceBackground = true;
  return control;
}

}  // namespace

std::array<Control, kControlCount> DesignedControls() {
  using enum ControlId;
  std::array<Control, kControlCount> controls;
  const auto put = [&controls](Control control) {
    controls[IndexOf(control.id)] = std::move(control);
  };

  // Form1's rect is its client area; its outer Width is Form1::Width().
  Control form = Make(Form1, ControlKind::Form, {0, 0, kClientWidth, kClientHeight}, kFormFontSize);
  form.caption = kAppTitle;
  put(form);

  // The settings half.
  put(Label(Label1, {300, 180, 1455, 255}, kCaptionFontSize, dialog_text::kMachineName.english));
  put(Label(Label2, {2220, 180, 1065, 255}, kCaptionFontSize, dialog_text::kDesignedComputerName,
            Alignment::Center));
  put(CheckBox(Check1, {300, 510, 3285, 375}, dialog_text::kStartingAutoLogon.english, 0));
  Control userName =
      TextBox(Text3, {1770, 960, 1905, 435}, kCaptionFontSize, dialog_text::kDesignedUserName, 1);
  userName.locked = true;  // start-up unlocks it before the dialog is shown
  put(userName);
  put(Label(Label4, {300, 1050, 1110, 255}, kCaptionFontSize, dialog_text::kUserName.english));
  put(Label(Label9, {2130, 1410, 1170, 210}, kHintFontSize, dialog_text::kAdministratorsHint,
            Alignment::Center));
  put(PasswordBox(Text4, {1770, 1650, 1905, 450}, 2));
  put(Label(Label5, {300, 1740, 990, 255}, kCaptionFontSize, dialog_text::kPassword.english));
  put(PasswordBox(Text6, {1770, 2130, 1905, 450}, 3));
  put(Label(Label6, {300, 2220, 1260, 255}, kCaptionFontSize, dialog_text::kConfirmation.english));
  put(TextBox(Text2, {1770, 2790, 1905, 435}, kCaptionFontSize, dialog_text::kDesignedDomainName,
              4));
  put(Label(Label3, {300, 2880, 1410, 255}, kCaptionFontSize, dialog_text::kDomainName.english));
  put(CheckBox(Check2, {300, 3330, 3285, 375}, dialog_text::kAutomatically.english, 5));
  Control ok = Button(Command1, {90, 4020, 1065, 465}, dialog_text::kDesignedOk, 6);
  ok.isDefault = true;
  put(ok);
  Control cancel = Button(Command2, {1230, 4020, 1065, 465}, dialog_text::kDesignedCancel, 7);
  put(cancel);
  put(Button(Command3, {2430, 4020, 1425, 465}, dialog_text::kAbout.english, 8));

  // A vertical separator from (3960, 4680) up to (3960, 0).
  put(Make(Line1, ControlKind::Line, {3960, 4680, 0, -4680}, kFormFontSize));
  Control timer = Make(Timer1, ControlKind::Timer, {}, kFormFontSize);
  timer.interval = 5000;
  timer.enabled = false;
  put(timer);

  // The information panel.
  put(Label(Label7, {4860, 60, 1830, 255}, kCaptionFontSize, kAppTitle));
  put(Label(Label8, {7020, 90, 855, 240}, kVersionFontSize, dialog_text::kVersionCaption,
            Alignment::Right));
  Control frame = Make(Frame1, ControlKind::Frame, {4020, 390, 3885, 3465}, kCaptionFontSize);
  frame.caption = dialog_text::kMaker.english;
  put(frame);
  put(PanelTextBox(Text1, {60, 480, 3795, 2925}, kEnglishContactText,
                   dialog_text::kPanelTip.english));
  Control logo = Make(Image1, ControlKind::Image, {2340, 150, 1470, 315}, kFormFontSize);
  logo.container = Frame1;
  logo.toolTipText = kMakerSiteAddress;
  put(logo);
  Control hidden = PanelTextBox(Text5, {3210, 2160, 3795, 2085}, kChineseContactText,
                                dialog_text::kPanelTip.chinese);
  hidden.visible = false;
  hidden.enabled = false;
  put(hidden);

  // The designed tooltips of Check1, Check2, Text3 and Text4 would be replaced by the text set
  // before the dialog is first shown, so the design keeps none.
  return controls;
}

}  // namespace quenda
