// The process entry: installs the Windows services, builds the dialog, runs it until it closes.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "form1.h"
#include "platform_win32.h"
#include "toolkit_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // The logo's GIF decoder is a COM object; the tooltip control comes from comctl32.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  quenda::win32::WindowsPlatform platform;
  quenda::InstallPlatform(&platform);
  int exitCode = 1;
  {
    quenda::win32::Win32Toolkit toolkit(instance);
    quenda::Form1 form(toolkit);
    if (toolkit.Create(form)) {
      platform.SetOwnerWindow(toolkit.Window());
      form.Load();
      toolkit.Show();
      exitCode = toolkit.RunMessageLoop();
    }
    platform.SetOwnerWindow(nullptr);
  }
  quenda::InstallPlatform(nullptr);
  if (SUCCEEDED(com))
    CoUninitialize();
  return exitCode;
}
