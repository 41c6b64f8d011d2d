// Pictures of a window as the screen shows it, saved as BMP files.
#pragma once

#include <string>

struct HWND__;

namespace quenda::e2e {

// Copies the screen area that `window` covers, frame included, into a 24-bit BMP at `path`.
// False when the screen could not be read or the file not written.
bool SaveScreenshot(HWND__* window, const std::wstring& path);

}  // namespace quenda::e2e
