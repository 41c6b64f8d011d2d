// The toolkit interface: how the dialog model shows itself and how user input reaches it.
//
// The model (Form1) owns every property. It tells the toolkit what changed, and the toolkit reads
// the new value from the model. The toolkit feeds the user's actions back through Form1's event
// entry points (UserClicked, UserEditedText, FocusArrived, TimerExpired). Two implementations:
// the Win32 one (the product) and the headless one (tests).
#pragma once

#include <string_view>

#include "controls.h"

namespace quenda {

class Form1;

struct Extent {
  int width = 0;  // twips
  int height = 0;
};

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // The model changed `property` of `id`; the toolkit shows the new value (read from the form).
  // For Timer1, Property::Enabled starts a fresh periodic countdown of Timer1's interval, or stops
  // it. For Form1, Property::Geometry means its Width changed.
  virtual void PropertyChanged(ControlId id, Property property) = 0;

  // Gives `id` the focus. The toolkit reports the arrival through Form1::FocusArrived (at once).
  virtual void MoveFocus(ControlId id) = 0;

  // A modal message box with an OK button; returns when it is dismissed. `style` as in platform.h.
  virtual void ShowMessageBox(std::u16string_view text, std::u16string_view title,
                              unsigned style) = 0;

  // The size an auto-sized label takes for `caption` in `font`, in twips.
  virtual Extent MeasureText(const Font& font, std::u16string_view caption) = 0;

  // Unloads the dialog: the window goes away and, once the running handler has returned, the
  // program ends. No event is delivered to the form afterwards.
  virtual void CloseForm() = 0;
};

}  // namespace quenda
