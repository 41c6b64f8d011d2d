// The logo control: draws the GIF picture stored in the resources, shows the hand cursor while
// the mouse is over it, and reports a click to its parent as WM_COMMAND with STN_CLICKED, the way
// a notifying static control does. The picture is decoded the first time the logo is painted.
#pragma once

struct HINSTANCE__;

namespace quenda::win32 {

inline constexpr wchar_t kLogoClassName[] = L"QuendaLogo";

// Registers the window class once per process. False when the class cannot be registered.
bool RegisterLogoClass(HINSTANCE__* instance);

}  // namespace quenda::win32
