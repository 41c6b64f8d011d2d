// The controls of the dialog and the properties they hold. Pure data: no toolkit code.
//
// Every position and size is in twips (1440 to the inch, 15 to the pixel at 96 DPI), relative to
// the control's container: the client area of Form1, or Frame1 for the controls inside it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quenda {

// One entry per control, in the order the dialog lists them (settings half, then panel). The
// designer's names stay; this is the one place that says what each one is.
enum class ControlId : std::uint8_t {
  Form1,     // the dialog itself
  Label1,    // caption "Machine Name"
  Label2,    // the computer's name, as read at start-up
  Check1,    // "Starting Auto Logon": automatic logon on or off
  Text3,     // user name
  Label4,    // caption of the user name
  Label9,    // hint "(Administrators)" under the user name
  Text4,     // password (masked)
  Label5,    // caption of the password
  Text6,     // password confirmation (masked, never stored)
  Label6,    // caption of the confirmation
  Text2,     // domain name
  Label3,    // caption of the domain
  Check2,    // "Automatically": apply by itself after the countdown
  Command1,  // OK: apply and close
  Command2,  // Cancel: close without writing
  Command3,  // About (Help): show or hide the information panel
  Line1,     // separator between the two halves
  Timer1,    // the five-second countdown
  Label7,    // panel title
  Label8,    // version
  Frame1,    // frame of the information panel
  Text1,     // panel text: contact text, later the readme
  Image1,    // logo; a click opens the product's page
  Text5,     // hidden store of the Chinese contact text and tooltip
};
inline constexpr std::size_t kControlCount = 25;

inline constexpr std::size_t IndexOf(ControlId id) {
  return static_cast<std::size_t>(id);
}

enum class ControlKind : std::uint8_t {
  Form,
  Label,
  CheckBox,
  TextBox,
  Button,
  Line,
  Timer,
  Frame,
  Image
};

enum class Alignment : std::uint8_t { Left = 0, Right = 1, Center = 2 };

// The properties the model reports as changed to the window.
enum class Property : std::uint8_t {
  Caption,
  Text,
  ToolTipText,
  Font,  // FontName changed (size and weight never change)
  Enabled,
  Locked,
  Value,      // check-box state
  Selection,  // SelStart / SelLength of a text box
};

struct Font {
  std::u16string name = u"Arial";
  int hundredthsOfPoint = 900;  // 1125 is 11.25 pt
  int weight = 400;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct Control {
  ControlId id = ControlId::Form1;
  ControlKind kind = ControlKind::Form;
  ControlId container = ControlId::Form1;  // Form1, or Frame1 for Text1, Image1 and Text5
  Rect rect;                   // Line1: from (left, top) to (left + width, top + height)
  Font font;                   // the effective font (the form's when none of its own)
  std::u16string caption;      // Form1, labels, check boxes, buttons, Frame1
  std::u16string text;         // text boxes
  std::u16string toolTipText;  // empty: no tooltip
  Alignment alignment = Alignment::Left;
  bool autoSize = false;
  bool enabled = true;
  bool visible = true;
  bool locked = false;
  bool tabStop = false;
  int tabIndex = -1;  // position in the focus order; -1 for controls outside it
  int value = 0;      // check boxes: 0 clear, 1 ticked
  char16_t passwordChar = 0;
  int imeMode = 0;  // 3: input method off
  bool multiLine = false;
  int scrollBars = 0;   // 3: both
  int borderStyle = 1;  // text boxes: 0 none, 1 fixed single
  bool buttonFaceBackground = false;
  bool isDefault = false;  // Enter activates it
  int selStart = 0;
  int selLength = 0;
  int interval = 0;  // Timer1, milliseconds
};

// The focus rule: only enabled, visible check boxes, text boxes and buttons take the focus.
inline bool CanTakeFocus(const Control& control) {
  const bool focusableKind = control.kind == ControlKind::CheckBox ||
                             control.kind == ControlKind::TextBox ||
                             control.kind == ControlKind::Button;
  return focusableKind && control.enabled && control.visible;
}

// The credential group: the four boxes and their captions, enabled and disabled together.
inline constexpr ControlId kCredentialGroup[] = {
    ControlId::Text2,  ControlId::Text3,  ControlId::Text4,  ControlId::Text6,
    ControlId::Label4, ControlId::Label5, ControlId::Label6, ControlId::Label3};

// Dialog geometry that never changes.
inline constexpr int kClientWidth = 7950;
inline constexpr int kClientHeight = 4620;
inline constexpr int kFrameTwips = 45;       // fixed frame on each side of the window
inline constexpr float kNarrowWidth = 4020;  // settings half only
inline constexpr float kWideWidth = 8040;    // with the information panel

}  // namespace quenda
