// The window-level names of the dialog: its window class and the child-window id of each control.
// Shared by the dialog window and the end-to-end driver, which finds controls with GetDlgItem.
#pragma once

#include "controls.h"

namespace quenda::win32 {

// The class of the dialog's top-level window.
inline constexpr wchar_t kDialogClassName[] = L"QuendaDialog";

// The dialog manager sends Enter as the command IDOK (1) and Esc as IDCANCEL (2), so "OK" and
// "Cancel" carry those ids. Every other control gets an id above the range of the standard ones.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kFirstControlId = 1000;

constexpr int ChildIdOf(ControlId id) {
  switch (id) {
    case ControlId::Command1:
      return kIdOk;
    case ControlId::Command2:
      return kIdCancel;
    default:
      return kFirstControlId + static_cast<int>(IndexOf(id));
  }
}

// The control with child-window id `childId`; Form1 when no control has it.
constexpr ControlId ControlOfChildId(int childId) {
  for (std::size_t i = 1; i < kControlCount; ++i) {
    const auto id = static_cast<ControlId>(i);
    if (ChildIdOf(id) == childId)
      return id;
  }
  return ControlId::Form1;
}

}  // namespace quenda::win32
