// The dialog's tooltips: a comctl32 tooltip control that subclasses each control it describes.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "tooltips_win32.h"
#include "wide_text.h"

namespace quenda::win32 {

namespace {

TOOLINFOW ToolFor(HWND owner, HWND control, wchar_t* text) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  return tool;
}

}  // namespace

void Tooltips::Create(HWND owner, int maxWidthPixels) {
  owner_ = owner;
  // TTS_NOPREFIX: the texts are shown as they are; an "&" in them is not an access key.
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr);
  if (tooltip_ != nullptr)
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, maxWidthPixels);
}

void Tooltips::Set(HWND control, std::u16string_view text) {
  if (tooltip_ == nullptr || control == nullptr)
    return;
  std::wstring wide = Wide(text);
  TOOLINFOW tool = ToolFor(owner_, control, wide.data());
  // A new text replaces the control's tool, if it has one: deleting a tool that does not exist
  // does nothing, so no record of which controls have one is needed.
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!text.empty())
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace quenda::win32
