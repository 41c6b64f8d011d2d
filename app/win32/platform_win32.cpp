// The Windows implementation of the process services.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform_win32.h"
#include "wide_text.h"

namespace quenda::win32 {

namespace {

// The end of the process after a failed registry write: not 0, so a caller can tell.
constexpr UINT kFailureExitCode = 1;

class WindowsFile final : public InputFile {
 public:
  explicit WindowsFile(HANDLE handle) : handle_(handle) {}
  ~WindowsFile() override { CloseHandle(handle_); }
  WindowsFile(const WindowsFile&) = delete;
  WindowsFile& operator=(const WindowsFile&) = delete;

  std::optional<std::size_t> Read(std::span<char> buffer) override {
    // ReadFile takes at most a DWORD at a time; the callers read in small blocks anyway.
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 20));
    DWORD read = 0;
    if (!ReadFile(handle_, buffer.data(), wanted, &read, nullptr))
      return std::nullopt;
    return read;
  }

 private:
  HANDLE handle_;
};

std::wstring ModuleFileName() {
  // Paths may be longer than MAX_PATH; grow until the whole name fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0)
      return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

std::u16string DirectoryOf(std::u16string_view executablePath) {
  const std::size_t separator = executablePath.find_last_of(u"\\/");
  if (separator == std::u16string_view::npos)
    return {};
  std::u16string directory(executablePath.substr(0, separator));
  // "D:" alone would mean the current directory of drive D; the root keeps its backslash.
  if (directory.size() == 2 && directory[1] == u':')
    directory += u'\\';
  return directory;
}

void WindowsPlatform::ShowMessageBox(std::u16string_view text, std::u16string_view title,
                                     unsigned style) {
  MessageBoxW(owner_, Wide(text).c_str(), Wide(title).c_str(), style);
}

void WindowsPlatform::EndProcess() {
  ExitProcess(kFailureExitCode);
}

std::u16string WindowsPlatform::ExecutableDirectory() {
  return DirectoryOf(Utf16(ModuleFileName()));
}

bool WindowsPlatform::StartProgram(std::u16string_view commandLine, int windowState) {
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

std::unique_ptr<InputFile> WindowsPlatform::OpenForReading(std::u16string_view path) {
  const std::wstring name = Wide(path);
  HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    return nullptr;
  return std::make_unique<WindowsFile>(handle);
}

}  // namespace quenda::win32
