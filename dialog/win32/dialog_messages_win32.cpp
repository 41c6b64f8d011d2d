// The dialog's way of showing a message and asking a question: a message box owned by its window.
#include <windows.h>

#include "dialog_window_win32.h"
#include "texts.h"
#include "wide_text.h"

namespace quenda::win32 {

namespace {

int Box(HWND owner, std::u16string_view text, UINT style) {
  return MessageBoxW(owner, Wide(text).c_str(), Wide(kAppTitle).c_str(), style);
}

}  // namespace

void DialogWindow::ShowMessage(std::u16string_view text, MessageKind kind) {
  const UINT style = kind == MessageKind::Error     ? MB_OK | MB_ICONERROR
                     : kind == MessageKind::Warning ? MB_OK | MB_ICONWARNING
                                                    : MB_OK;
  Box(window_, text, style);
}

bool DialogWindow::Ask(std::u16string_view question) {
  return Box(window_, question, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

}  // namespace quenda::win32
