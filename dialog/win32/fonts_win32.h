// The fonts the dialog's controls use, made once per face, size and weight and kept until the end.
#pragma once

#include <array>
#include <cstddef>

#include "controls.h"

struct HFONT__;

namespace quenda::win32 {

class Fonts {
 public:
  explicit Fonts(int dpi) : dpi_(dpi) {}
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  // The GDI font for `font` at the display's DPI. Owned by this cache; null when GDI has no font
  // left to give or the cache is full, in which case the control keeps the system font.
  HFONT__* Get(const Font& font);

 private:
  struct Made {
    Font font;
    HFONT__* handle = nullptr;
  };
  // The dialog uses six: Arial in five sizes and the Chinese face at the caption size.
  static constexpr std::size_t kCapacity = 8;

  int dpi_;
  std::array<Made, kCapacity> made_{};
  std::size_t count_ = 0;
};

}  // namespace quenda::win32
