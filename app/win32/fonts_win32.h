// The fonts the dialog's controls use, made once per face and size and kept until the end.
#pragma once

#include <map>
#include <string>
#include <tuple>

#include "controls.h"

struct HFONT__;

namespace quenda::win32 {

class Fonts {
 public:
  explicit Fonts(int dpi) : dpi_(dpi) {}
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  // The GDI font for `font` at the display's DPI. Owned by this cache; null only when GDI has no
  // font left to give, in which case the control keeps the system font.
  HFONT__* Get(const Font& font);

 private:
  using Key = std::tuple<std::u16string, int, int>;
  int dpi_;
  std::map<Key, HFONT__*> fonts_;
};

}  // namespace quenda::win32
