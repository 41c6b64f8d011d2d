// The dialog's two text sets: which caption or tooltip of which control takes which text.
#pragma once

#include <span>

#include "controls.h"
#include "texts.h"

namespace quenda {

// One assignment of a text set. A copy row (copyFrom other than Form1) takes, when it is applied,
// the same property of another control instead of a text.
struct TextSetRow {
  ControlId control;
  Property property;  // Caption, Text or ToolTipText
  const Bilingual* text = nullptr;
  ControlId copyFrom = ControlId::Form1;
  bool appliesInEnglish = true;
};

// The rows of both sets, in the order they are applied.
std::span<const TextSetRow> TextSetRows();
// The controls that take the Chinese face, in order, before any caption changes.
std::span<const ControlId> ChineseFontControls();

}  // namespace quenda
