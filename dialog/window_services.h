// What the dialog model needs from its window. The process services (messages, the end of the
// process, files, programs) are the shared ProcessServices.
#pragma once

#include "controls.h"

namespace quenda {

class WindowServices {
 public:
  virtual ~WindowServices() = default;

  // The model changed `property` of `id` (Caption, Text, ToolTipText, Font, Enabled, Locked,
  // Value or Selection); the window shows the new value, read from the form. An auto-sized label
  // whose caption or font changed is fitted to it by the window.
  virtual void ShowChange(ControlId id, Property property) = 0;

  // Gives `id` the focus; the window reports the arrival through Form1::FocusArrived.
  virtual void MoveFocus(ControlId id) = 0;

  // Starts a fresh periodic countdown of `milliseconds` (restarting one that runs), or stops it.
  // Each expiry is reported through Form1::TimerExpired.
  virtual void StartCountdown(int milliseconds) = 0;
  virtual void StopCountdown() = 0;

  // Sets the dialog's outer width in twips; its left edge and height stay.
  virtual void SetWidth(float twips) = 0;

  // Closes the dialog; once the running handler has returned, the program ends.
  virtual void CloseDialog() = 0;
};

}  // namespace quenda
