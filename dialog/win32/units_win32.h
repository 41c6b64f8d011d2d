// The one conversion between the model's twips and the screen's pixels.
#pragma once

namespace quenda::win32 {

// The display's pixels per inch, read once at start (the process is system-DPI aware).
int DisplayDpi();

// 1440 twips to the inch, whatever the DPI: 15 twips to the pixel at 96, 10 at 144.
int ToPixels(int twips, int dpi);

// The pixel height (negative: character height, as LOGFONT wants it) of a font of
// `hundredthsOfPoint` (1125 is 11.25 pt). A point is 20 twips.
int FontHeight(int hundredthsOfPoint, int dpi);

}  // namespace quenda::win32
