// The process services the core needs from the operating system, behind one small interface so
// that the routines and the dialog run unchanged in tests.
//
// The product installs the Windows implementation at start; tests install the headless one
// (platform_headless.h), which records what was asked and lets a test see the end of the process
// without ending the test.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <string>

namespace quenda {

// Message box styles the program uses (the Windows MB_* values).
inline constexpr unsigned kMessageOk = 0;      // MB_OK, no icon
inline constexpr unsigned kMessageError = 16;  // MB_OK | MB_ICONERROR

// Window state for StartProgram: minimized, with the focus (SW_SHOWMINIMIZED).
inline constexpr int kShowMinimized = 2;

// A file open for reading. Destroying it closes the file.
class InputFile {
 public:
  virtual ~InputFile() = default;
  // Reads up to buffer.size() bytes. Returns how many were read, 0 at the end of the file, and
  // nullopt when reading failed.
  virtual std::optional<std::size_t> Read(std::span<char> buffer) = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Shows a modal message box with an OK button and returns when the user has dismissed it.
  virtual void ShowMessageBox(std::u16string_view text, std::u16string_view title,
                              unsigned style) = 0;

  // Ends the process at once. Never returns to its caller. (The headless implementation throws
  // ProcessEnded, which no routine catches, so that a test can observe what ran before.)
  [[noreturn]] virtual void EndProcess() = 0;

  // The directory that holds the running executable: absolute, without a trailing separator
  // except the one of a drive root ("C:\Tools", "D:\").
  virtual std::u16string ExecutableDirectory() = 0;

  // Starts `commandLine` with the given window state and does not wait for it. False when the
  // program could not be started; the caller decides whether that matters.
  virtual bool StartProgram(std::u16string_view commandLine, int windowState) = 0;

  // Opens an existing file for reading; nullptr when it cannot be opened.
  virtual std::unique_ptr<InputFile> OpenForReading(std::u16string_view path) = 0;
};

// The platform the routines and handlers use. Installed once at start (tests install their own).
Platform& CurrentPlatform();
void InstallPlatform(Platform* platform);

}  // namespace quenda
