// GDI fonts for the model's (face, size, weight) triples, created on first use.
#include <windows.h>

#include "fonts_win32.h"
#include "units_win32.h"
#include "wide_text.h"

namespace quenda::win32 {

Fonts::~Fonts() {
  for (std::size_t i = 0; i < count_; ++i)
    DeleteObject(made_[i].handle);
}

HFONT Fonts::Get(const Font& font) {
  for (std::size_t i = 0; i < count_; ++i) {
    const Font& known = made_[i].font;
    if (known.name == font.name && known.hundredthsOfPoint == font.hundredthsOfPoint &&
        known.weight == font.weight) {
      return made_[i].handle;
    }
  }
  if (count_ == kCapacity)
    return nullptr;
  LOGFONTW description{};
  description.lfHeight = FontHeight(font.hundredthsOfPoint, dpi_);
  description.lfWeight = font.weight;
  // DEFAULT_CHARSET lets the font mapper pick the face's Chinese glyphs for "新細明體" and the
  // Latin ones for Arial alike.
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  font.name.copy(reinterpret_cast<char16_t*>(description.lfFaceName), LF_FACESIZE - 1);
  HFONT handle = CreateFontIndirectW(&description);
  if (handle != nullptr)
    made_[count_++] = {font, handle};
  return handle;
}

}  // namespace quenda::win32
