// What both floors share: the window class every floor registers and the message loop that runs
// until the window is closed.
#pragma once

#include <windows.h>

namespace floor_window {

inline LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY)
    PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

// Registers a class of plain dialog-coloured windows named `className`; `cursor` may be null.
inline void RegisterFloorClass(HINSTANCE instance, const wchar_t* className, HCURSOR cursor) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = cursor;
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = className;
  RegisterClassW(&windowClass);
}

// Delivers the thread's messages until the window posts its quit message.
inline int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace floor_window
