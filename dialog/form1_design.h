// The designed properties of every control of Form1: what each holds when the dialog is created.
#pragma once

#include <array>

#include "controls.h"

namespace quenda {

// Every control with its designed properties, indexed by IndexOf(ControlId).
std::array<Control, kControlCount> DesignedControls();

}  // namespace quenda
