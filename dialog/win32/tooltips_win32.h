// One tooltip control for the whole dialog, with one tool per control that has a tooltip text.
#pragma once

#include <string_view>

struct HWND__;
struct tagMSG;

namespace quenda::win32 {

class Tooltips {
 public:
  // Creates the tooltip window for the dialog `owner`. Tips wrap at `maxWidthPixels`.
  void Create(HWND__* owner, int maxWidthPixels);

  // Shows `text` when the mouse rests on `control`; the empty text removes its tip.
  void Set(HWND__* control, std::u16string_view text);

  // Tells the tooltip control of a mouse message that the message loop is about to deliver, so
  // that it sees the mouse rest on, and leave, the controls it describes.
  void Relay(const tagMSG& message);

 private:
  HWND__* tooltip_ = nullptr;
  HWND__* owner_ = nullptr;
};

}  // namespace quenda::win32
