// Standard handles, the console and the process for the console companion, from kernel32.
#include <windows.h>

#include "console_services_win32.h"
#include "ansi_text.h"
#include "password_line.h"

namespace quenda::win32 {
namespace {

bool IsConsole(HANDLE handle) {
  DWORD mode = 0;
  return GetConsoleMode(handle, &mode) != 0;
}

// A console shows the text as it is, whatever the code pages; a pipe or a file gets the bytes of
// the ANSI code page, which is what the programs reading them (and the registry) expect.
void WriteText(DWORD standardHandle, std::u16string_view text) {
  const HANDLE handle = GetStdHandle(standardHandle);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty())
    return;
  DWORD written = 0;
  if (IsConsole(handle)) {
    WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const std::string bytes = ToAnsi(text);
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// The console input's mode before the hidden prompt changed it, for the control handler, which
// the system calls on a thread of its own.
HANDLE consoleInput = nullptr;
DWORD savedInputMode = 0;

BOOL WINAPI RestoreInputModeOnControl(DWORD) {
  SetConsoleMode(consoleInput, savedInputMode);
  return FALSE;  // the next handler, the system's, ends the process
}

}  // namespace

void ConsoleServicesWin32::ShowMessage(std::u16string_view text, MessageKind) {
  WriteError(text);
  WriteError(u"\r\n");
}

void ConsoleServicesWin32::WriteOutput(std::u16string_view text) {
  WriteText(STD_OUTPUT_HANDLE, text);
}

void ConsoleServicesWin32::WriteError(std::u16string_view text) {
  WriteText(STD_ERROR_HANDLE, text);
}

bool ConsoleServicesWin32::InputIsConsole() {
  return IsConsole(GetStdHandle(STD_INPUT_HANDLE));
}

std::optional<std::u16string> ConsoleServicesWin32::ReadHiddenLine(std::u16string_view prompt) {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  GetConsoleMode(input, &savedInputMode);
  consoleInput = input;
  WriteError(prompt);
  // Ctrl+C, Ctrl+Break and closing the window end the process (the system's own handler runs
  // after this one); the echo must not stay off in the console that outlives it.
  SetConsoleCtrlHandler(RestoreInputModeOnControl, TRUE);
  // Line input still lets the user correct what they type; only the echo goes.
  SetConsoleMode(
      input, (savedInputMode & ~ENABLE_ECHO_INPUT) | ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT);
  std::u16string typed;
  wchar_t buffer[256];
  DWORD read = 0;
  // A read that Ctrl+C interrupts returns nothing: no line end, no password.
  while (typed.find(u'\n') == std::u16string::npos &&
         ReadConsoleW(input, buffer, static_cast<DWORD>(std::size(buffer)), &read, nullptr) &&
         read > 0) {
    typed.append(buffer, buffer + read);
  }
  SetConsoleMode(input, savedInputMode);
  SetConsoleCtrlHandler(RestoreInputModeOnControl, FALSE);
  WriteError(u"\r\n");  // the Enter that ended the line was not echoed either
  if (typed.find(u'\n') == std::u16string::npos)
    return std::nullopt;
  return std::u16string(FirstLine(typed));
}

std::string ConsoleServicesWin32::ReadInputLine() {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  std::string line;
  if (input == nullptr || input == INVALID_HANDLE_VALUE)
    return line;
  // A byte at a time, so that nothing after the first line is taken from a shared input.
  char byte = 0;
  DWORD read = 0;
  while (!InputLineEnded(line) && ReadFile(input, &byte, 1, &read, nullptr) && read == 1)
    line.push_back(byte);
  return line;
}

}  // namespace quenda::win32
