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

// One entry per control, in the order the dialog lists them (settings half, then panel).
enum class ControlId : std::uint8_t {
  Form1,
  Label1,
  Label2,
  Check1,
  Text3,
  Label4,
  Label9,
  Text4,
  Label5,
  Text6,
  Label6,
  Text2,
  Label3,
  Check2,
  Command1,
  Command2,
  Command3,
  Line1,
  Timer1,
  Label7,
  Label8,
  Frame1,
  Text1,
  Image1,
  Text5,
};
inline constexpr std::size_t kControlCount = 25;

inline constexpr std::size_t IndexOf(ControlId id) { return static_cast<std::size_t>(id); }

enum class ControlKind : std::uint8_t { Form, Label, CheckBox, TextBox, Button, Line, Timer, Frame, Image };

enum class Alignment : std::uint8_t { Left = 0, Right = 1, Center = 2 };

// The properties the model reports as changed to the toolkit.
enum class Property : std::uint8_t {
  Caption,
  Text,
  ToolTipText,
  Font,       // FontName changed (size and weight never change)
  Enabled,    // for Timer1: the countdown started or stopped
  Locked,
  Value,      // check-box state
  Selection,  // SelStart / SelLength of a text box
  Geometry,   // Left, Top, Width or Height of a control (an auto-sized label), or Form1's Width
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
  std::u16string_view name;              // the designer's name: u"Check1"
  ControlId container = ControlId::Form1;  // Form1, or Frame1 for Text1, Image1 and Text5
  Rect rect;                             // Line1: from (left, top) to (left + width, top + height)
  Font font;                             // the effective font (the form's when none of its own)
  std::u16string caption;                // Form1, labels, check boxes, buttons, Frame1
  std::u16string text;                   // text boxes
  std::u16string toolTipText;            // empty: no tooltip
  Alignment alignment = Alignment::Left;
  bool autoSize = false;
  bool enabled = true;
  bool visible = true;
  bool locked = false;
  bool tabStop = false;
  int tabIndex = -1;  // position in the focus order; -1 for controls outside it
  int value = 0;      // check boxes: 0 clear, 1 ticked
  char16_t passwordChar = 0;
  int imeMode = 0;          // 3: input method off
  bool multiLine = false;
  int scrollBars = 0;       // 3: both
  int borderStyle = 1;      // text boxes: 0 none, 1 fixed single; Form1: 4 fixed tool window
  bool buttonFaceBackground = false;
  bool isDefault = false;   // Enter activates it
  bool isCancel = false;    // Esc activates it
  int selStart = 0;
  int selLength = 0;
  int interval = 0;         // Timer1, milliseconds
  int mousePointer = 0;     // 99: custom (Image1's hand)
};

// Dialog geometry that never changes.
inline constexpr int kClientWidth = 7950;
inline constexpr int kClientHeight = 4620;
inline constexpr int kFrameTwips = 45;       // fixed frame on each side of the window
inline constexpr float kNarrowWidth = 4020;  // settings half only
inline constexpr float kWideWidth = 8040;    // with the information panel

}  // namespace quenda
