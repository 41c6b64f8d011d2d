// The dialog's tooltips: a comctl32 tooltip control that the message loop tells where the mouse is.
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
  // Not TTF_SUBCLASS: a subclassed control looks its subclass up among the window's properties on
  // every message it gets, painting included, and under Wine each look-up is a trip to the
  // server. The message loop relays the mouse messages instead (Relay).
  tool.uFlags = TTF_IDISHWND;
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

void Tooltips::Relay(const MSG& message) {
  if (tooltip_ != nullptr && message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST)
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void Tooltips::Set(HWND control, std::u16string_view text) {
  if (tooltip_ == nullptr || control == nullptr)
    return;
  Wide wide(text);
  TOOLINFOW tool = ToolFor(owner_, control, wide.data());
  // A new text replaces the control's tool, if it has one: deleting a tool that does not exist
  // does nothing, so no record of which controls have one is needed.
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!text.empty())
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace quenda::win32
