// The dialog's way of showing a message: a message box owned by its window.
#include <windows.h>

#include "dialog_window_win32.h"
#include "texts.h"
#include "wide_text.h"

namespace quenda::win32 {

void DialogWindow::ShowMessage(std::u16string_view text, MessageKind kind) {
  const UINT style = kind == MessageKind::Error ? MB_OK | MB_ICONERROR : MB_OK;
  MessageBoxW(window_, Wide(text).c_str(), Wide(kAppTitle).c_str(), style);
}

}  // namespace quenda::win32
