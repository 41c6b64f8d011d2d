// The bare floor for start-up time and memory: a program that opens one plain window and waits.
#include <windows.h>

#include "floor_window_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  const wchar_t* className = L"QuendaMinimalWindow";
  floor_window::RegisterFloorClass(instance, className, nullptr);
  HWND window = CreateWindowExW(0, className, L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 300, 200, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, show);
  return floor_window::RunMessageLoop();
}
