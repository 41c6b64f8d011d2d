// The designed properties of Form1's controls: geometry, fonts, captions, focus order and looks.
//
// One row per control, turned into Controls by one loop: a table keeps the design readable at a
// glance and costs the program a fraction of the code that building each control by hand did.
#include "form1_design.h"

#include <cstdint>

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
constexpr int kCountdownMilliseconds = 5000;

// What sets a control apart from the defaults of its kind.
enum Trait : std::uint8_t {
  kAutoSize = 1 << 0,  // a label that sizes itself to its caption
  kPassword = 1 << 1,  // masked with "*", input method off
  kPanel = 1 << 2,     // Text1, Text5: read-only multi-line box without border in Frame1
  kLocked = 1 << 3,    // read-only until start-up unlocks it
  kHidden = 1 << 4,    // neither visible nor enabled
  kDefault = 1 << 5,   // Enter activates it
  kInFrame = 1 << 6,   // placed in Frame1
};

constexpr std::uint8_t kLabel = kAutoSize;

struct Designed {
  ControlId id;
  ControlKind kind;
  Rect rect;  // Line1: from (left, top) to (left + width, top + height)
  int fontSize;
  int tabIndex;                                  // -1: outside the focus order
  const std::u16string_view* caption = nullptr;  // Form1, labels, check boxes, buttons, Frame1
  const std::u16string_view* text = nullptr;     // text boxes
  const std::u16string_view* toolTip = nullptr;  // none
  std::uint8_t traits;
  Alignment alignment = Alignment::Left;
};

using enum ControlId;
using K = ControlKind;
using TextRef = const std::u16string_view*;
namespace t = dialog_text;

// The rows of labels, of controls with a caption, and of text boxes.
constexpr Designed Label(ControlId id, Rect rect, int fontSize, TextRef caption,
                         Alignment alignment = Alignment::Left) {
  return {id, K::Label, rect, fontSize, -1, caption, nullptr, nullptr, kLabel, alignment};
}
constexpr Designed Captioned(ControlId id, K kind, Rect rect, int fontSize, int tabIndex,
                             TextRef caption, std::uint8_t traits = 0) {
  return {id, kind, rect, fontSize, tabIndex, caption, nullptr, nullptr, traits};
}
constexpr Designed TextBox(ControlId id, Rect rect, int fontSize, int tabIndex, TextRef text,
                           TextRef toolTip, std::uint8_t traits) {
  return {id, K::TextBox, rect, fontSize, tabIndex, nullptr, text, toolTip, traits};
}

// The designed tooltips of Check1, Check2, Text3 and Text4 would be replaced by the text set
// before the dialog is first shown, so the design keeps none.
constexpr Designed kDesign[] = {
    // Form1's rect is its client area; its outer Width is Form1::Width().
    Captioned(Form1, K::Form, {0, 0, kClientWidth, kClientHeight}, kFormFontSize, -1, &kAppTitle),
    // The settings half.
    Label(Label1, {300, 180, 1455, 255}, kCaptionFontSize, &t::kMachineName.english),
    Label(Label2, {2220, 180, 1065, 255}, kCaptionFontSize, &t::kDesignedComputerName,
          Alignment::Center),
    Captioned(Check1, K::CheckBox, {300, 510, 3285, 375}, kCaptionFontSize, 0,
              &t::kStartingAutoLogon.english),
    TextBox(Text3, {1770, 960, 1905, 435}, kCaptionFontSize, 1, &t::kDesignedUserName, nullptr,
            kLocked),
    Label(Label4, {300, 1050, 1110, 255}, kCaptionFontSize, &t::kUserName.english),
    Label(Label9, {2130, 1410, 1170, 210}, kHintFontSize, &t::kAdministratorsHint,
          Alignment::Center),
    TextBox(Text4, {1770, 1650, 1905, 450}, kPasswordFontSize, 2, &t::kDesignedPassword, nullptr,
            kPassword),
    Label(Label5, {300, 1740, 990, 255}, kCaptionFontSize, &t::kPassword.english),
    TextBox(Text6, {1770, 2130, 1905, 450}, kPasswordFontSize, 3, &t::kDesignedPassword, nullptr,
            kPassword),
    Label(Label6, {300, 2220, 1260, 255}, kCaptionFontSize, &t::kConfirmation.english),
    TextBox(Text2, {1770, 2790, 1905, 435}, kCaptionFontSize, 4, &t::kDesignedDomainName, nullptr,
            0),
    Label(Label3, {300, 2880, 1410, 255}, kCaptionFontSize, &t::kDomainName.english),
    Captioned(Check2, K::CheckBox, {300, 3330, 3285, 375}, kCaptionFontSize, 5,
              &t::kAutomatically.english),
    Captioned(Command1, K::Button, {90, 4020, 1065, 465}, kCaptionFontSize, 6, &t::kDesignedOk,
              kDefault),
    Captioned(Command2, K::Button, {1230, 4020, 1065, 465}, kCaptionFontSize, 7,
              &t::kDesignedCancel),
    Captioned(Command3, K::Button, {2430, 4020, 1425, 465}, kCaptionFontSize, 8,
              &t::kAbout.english),
    // A vertical separator from (3960, 4680) up to (3960, 0).
    Captioned(Line1, K::Line, {3960, 4680, 0, -4680}, kFormFontSize, -1, nullptr),
    Captioned(Timer1, K::Timer, {}, kFormFontSize, -1, nullptr),
    // The information panel.
    Label(Label7, {4860, 60, 1830, 255}, kCaptionFontSize, &kAppTitle),
    Label(Label8, {7020, 90, 855, 240}, kVersionFontSize, &t::kVersionCaption, Alignment::Right),
    Captioned(Frame1, K::Frame, {4020, 390, 3885, 3465}, kCaptionFontSize, -1, &t::kMaker.english),
    TextBox(Text1, {60, 480, 3795, 2925}, kFormFontSize, -1, &kEnglishContactText,
            &t::kPanelTip.english, kPanel),
    {.id = Image1,
     .kind = K::Image,
     .rect = {2340, 150, 1470, 315},
     .fontSize = kFormFontSize,
     .tabIndex = -1,
     .toolTip = &kMakerSiteAddress,
     .traits = kInFrame},
    TextBox(Text5, {3210, 2160, 3795, 2085}, kFormFontSize, -1, &kChineseContactText,
            &t::kPanelTip.chinese, kPanel | kHidden),
};
static_assert(std::size(kDesign) == kControlCount);

Control Make(const Designed& designed) {
  Control control;
  control.id = designed.id;
  control.kind = designed.kind;
  control.rect = designed.rect;
  control.font.hundredthsOfPoint = designed.fontSize;
  control.tabIndex = designed.tabIndex;
  control.tabStop = designed.tabIndex >= 0;
  if (designed.caption)
    control.caption = *designed.caption;
  if (designed.text)
    control.text = *designed.text;
  if (designed.toolTip)
    control.toolTipText = *designed.toolTip;
  control.alignment = designed.alignment;
  const auto has = [&designed](Trait trait) { return (designed.traits & trait) != 0; };
  control.autoSize = has(kAutoSize);
  control.locked = has(kLocked) || has(kPanel);
  control.isDefault = has(kDefault);
  if (has(kPassword)) {
    control.passwordChar = u'*';
    control.imeMode = kInputMethodOff;
  }
  // Text1 and Text5 look alike: read-only multi-line boxes without border that blend into the
  // dialog. Neither is reached by Tab; Text1 takes the focus only by a mouse click.
  if (has(kPanel) || has(kInFrame))
    control.container = ControlId::Frame1;
  if (has(kPanel)) {
    control.multiLine = true;
    control.scrollBars = kBothScrollBars;
    control.borderStyle = kNoBorder;
    control.buttonFaceBackground = true;
  }
  if (has(kHidden)) {
    control.visible = false;
    control.enabled = false;
  }
  if (designed.kind == ControlKind::CheckBox)
    control.value = 1;
  if (designed.kind == ControlKind::Timer) {
    control.interval = kCountdownMilliseconds;
    control.enabled = false;
  }
  return control;
}

}  // namespace

std::array<Control, kControlCount> DesignedControls() {
  std::array<Control, kControlCount> controls;
  for (const Designed& designed : kDesign)
    controls[IndexOf(designed.id)] = Make(designed);
  return controls;
}

}  // namespace quenda
