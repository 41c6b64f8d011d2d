// quenda.com: the console companion's entry point.
#include <windows.h>

#include <string>
#include <vector>

#include "console_services_win32.h"
#include "wide_text.h"

int wmain(int argc, wchar_t** argv) {
  std::vector<std::u16string> arguments;
  for (int i = 1; i < argc; ++i)
    arguments.push_back(quenda::win32::Utf16(argv[i]));
  const std::vector<std::u16string_view> views(arguments.begin(), arguments.end());
  quenda::win32::ConsoleServicesWin32 services;
  return quenda::RunConsole(views, services, services);
}
