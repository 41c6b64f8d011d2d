// The dialog's process services: message boxes, the end of the process, the executable's folder,
// starting programs and reading files.
#include <windows.h>

#include <algorithm>
#include <string>

#include "dialog_window_win32.h"
#include "process_win32.h"
#include "texts.h"
#include "wide_text.h"

namespace quenda::win32 {

void DialogWindow::ShowMessage(std::u16string_view text, MessageKind kind) {
  const UINT style = kind == MessageKind::Error ? MB_OK | MB_ICONERROR : MB_OK;
  MessageBoxW(window_, Wide(text).c_str(), Wide(kAppTitle).c_str(), style);
}

void DialogWindow::EndProcess(int exitCode) {
  ExitProcess(static_cast<UINT>(exitCode));
}

std::u16string DialogWindow::ExecutableDirectory() {
  return win32::ExecutableDirectory();
}

std::u16string DialogWindow::ShortPath(std::u16string_view path) {
  return ShortPathOf(path);
}

bool DialogWindow::StartProgram(std::u16string_view commandLine, int windowState) {
  std::wstring command = Wide(commandLine);  // CreateProcessW may write into its command line
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(windowState);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    return false;
  }
  // Not waited for: the handles are only closed.
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

std::string DialogWindow::ReadFileStart(std::u16string_view path, std::size_t limit) {
  const std::wstring name = Wide(path);
  HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return {};
  std::string bytes(limit, '\0');
  std::size_t filled = 0;
  while (filled < limit) {
    // ReadFile takes at most a DWORD at a time.
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(limit - filled, 1u << 20));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data() + filled, wanted, &read, nullptr) || read == 0)
      break;  // the end of the file, or a failure: what was read stays
    filled += read;
  }
  CloseHandle(file);
  bytes.resize(filled);
  return bytes;
}

}  // namespace quenda::win32
