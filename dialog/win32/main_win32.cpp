// The process entry: builds the dialog on its Windows services and runs it until it closes.
#include <windows.h>
#include <commctrl.h>

#include "dialog_window_win32.h"
#include "form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Common controls version 6 (the manifest asks for it) for the standard controls' visual styles
  // and the tooltip control.
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  quenda::win32::DialogWindow dialog(instance);
  quenda::Form1 form(dialog, dialog);
  form.Load();
  if (!dialog.Show(form))
    return 1;
  return dialog.Run();
}
