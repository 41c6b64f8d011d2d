// Twips, points and pixels: every conversion of the dialog's geometry goes through here.
#include <windows.h>

#include "units_win32.h"

namespace quenda::win32 {

namespace {
constexpr int kTwipsPerInch = 1440;
constexpr int kHundredthsOfPointPerInch = 7200;
}  // namespace

int DisplayDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

int ToPixels(int twips, int dpi) {
  return MulDiv(twips, dpi, kTwipsPerInch);
}

int FontHeight(int hundredthsOfPoint, int dpi) {
  return -MulDiv(hundredthsOfPoint, dpi, kHundredthsOfPointPerInch);
}

}  // namespace quenda::win32
