// The one seam between Quenda's logic and the outside world.
//
// Services are what the save step needs from the process (message, end, the executable's folder);
// DialogServices add what the dialog needs from its window. The product has one Win32
// implementation of each (the window for the dialog, the console for the command line); tests
// have one headless implementation that records everything in one place.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "controls.h"

namespace quenda {

// Every message box has an OK button and the title "Quenda".
enum class MessageKind : std::uint8_t {
  Plain,  // no icon (MB_OK)
  Error,  // the error icon (MB_OK | MB_ICONERROR)
};

// Window state for StartProgram: minimized, with the focus (SW_SHOWMINIMIZED).
inline constexpr int kShowMinimized = 2;

// The process exit code after a failed registry write (a successful run ends with 0).
inline constexpr int kExitWriteFailed = 1;

class Services {
 public:
  virtual ~Services() = default;

  // Shows `text` to the user and returns once it has been acknowledged: a modal message box in
  // the dialog, a line on standard error on the command line.
  virtual void ShowMessage(std::u16string_view text, MessageKind kind) = 0;

  // Ends the process at once with `exitCode`. Never returns. (The headless implementation throws
  // ProcessEnded so that a test sees what ran before.)
  [[noreturn]] virtual void EndProcess(int exitCode) = 0;

  // The folder that holds the running executable: absolute, without a trailing separator except
  // the one of a drive root ("C:\Tools", "D:\").
  virtual std::u16string ExecutableDirectory() = 0;

  // The short (8.3) form of an existing folder, which is plain ASCII; the path unchanged where the
  // volume keeps no short names.
  virtual std::u16string ShortPath(std::u16string_view path) = 0;
};

class DialogServices : public Services {
 public:
  // The model changed `property` of `id` (Caption, Text, ToolTipText, Font, Enabled, Locked,
  // Value or Selection); the window shows the new value, read from the form. An auto-sized label
  // whose caption or font changed is fitted to it by the window.
  virtual void ShowChange(ControlId id, Property property) = 0;

  // Gives `id` the focus; the window reports the arrival through Form1::FocusArrived.
  virtual void MoveFocus(ControlId id) = 0;

  // Starts a fresh periodic countdown of `milliseconds` (restarting one that runs), or stops it.
  // Each expiry is reported through Form1::TimerExpired.
  virtual void StartCountdown(int milliseconds) = 0;
  virtual void StopCountdown() = 0;

  // Sets the dialog's outer width in twips; its left edge and height stay.
  virtual void SetWidth(float twips) = 0;

  // Closes the dialog; once the running handler has returned, the program ends.
  virtual void CloseDialog() = 0;

  // Starts `commandLine` with the given window state, without waiting. False when it could not
  // be started; the caller decides whether that matters.
  virtual bool StartProgram(std::u16string_view commandLine, int windowState) = 0;

  // At most `limit` bytes from the start of the file at `path`: fewer when the file is shorter or
  // a read fails part-way (what was read before stays), none when it cannot be opened.
  virtual std::string ReadFileStart(std::u16string_view path, std::size_t limit) = 0;
};

}  // namespace quenda
