// The honest yardstick for quenda.exe's start-up: the least any program with quenda's look must do
// before its window takes input. It carries quenda's manifest (common controls 6, DPI aware),
// initialises the same common control classes, makes one tooltip control with one tool, and shows
// a window; nothing else.
#include <windows.h>
#include <commctrl.h>

#include "floor_window_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  const wchar_t* className = L"QuendaStyledFloor";
  floor_window::RegisterFloorClass(instance, className, LoadCursorW(nullptr, IDC_ARROW));
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, className, L"Styled floor",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                CW_USEDEFAULT, 300, 200, nullptr, nullptr, instance, nullptr);

  HWND tooltip =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                      WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
  wchar_t tipText[] = L"Styled floor";
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.lpszText = tipText;
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));

  ShowWindow(window, show);
  UpdateWindow(window);
  return floor_window::RunMessageLoop();
}
