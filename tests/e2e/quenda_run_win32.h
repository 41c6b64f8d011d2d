// One run of quenda.exe seen from outside: start it, find its dialog and controls, act on them as
// a user would, answer its message boxes and wait for its end.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "controls.h"

struct HWND__;

namespace quenda::e2e {

using Window = HWND__*;

// The folder of this test program; quenda.exe and its readme files lie beside it.
std::wstring ProgramDirectory();
std::wstring QuendaExe();

// Polls `condition` every few milliseconds until it holds or `timeout` has passed.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

class QuendaRun {
 public:
  // Starts `exe` (the built quenda.exe unless another copy is named) and waits for its dialog.
  // `windowClass` names the top-level window to wait for.
  explicit QuendaRun(const std::wstring& exe = QuendaExe(), const wchar_t* windowClass = nullptr);
  ~QuendaRun();  // a process that is still running is ended
  QuendaRun(const QuendaRun&) = delete;
  QuendaRun& operator=(const QuendaRun&) = delete;

  bool Ready() const { return dialog_ != nullptr; }
  Window Dialog() const { return dialog_; }
  Window Item(ControlId id) const;

  // From CreateProcess to the end of WaitForInputIdle, and to the dialog being visible.
  std::chrono::duration<double, std::milli> TimeToIdle() const { return toIdle_; }
  std::chrono::duration<double, std::milli> TimeToWindow() const { return toWindow_; }
  std::chrono::duration<double, std::milli> SinceStart() const;

  // ---- What the screen shows ----
  std::wstring Text(ControlId id) const;  // caption or text, read through WM_GETTEXT
  int TextLength(ControlId id) const;
  bool Checked(ControlId id) const;
  bool Enabled(ControlId id) const;
  bool HasFocus(ControlId id) const;
  // Selection start and end (EM_GETSEL) of a text box.
  std::pair<int, int> Selection(ControlId id) const;
  // Window styles (GWL_STYLE, GWL_EXSTYLE); Form1 names the dialog itself.
  unsigned long Style(ControlId id) const;
  unsigned long ExStyle(ControlId id) const;
  int ClientWidth() const;
  int ClientHeight() const;
  int OuterHeight() const;

  // ---- What the user does ----
  // Clicks and returns once the dialog has handled the click.
  void Click(ControlId id);
  // Clicks without waiting: for a click whose handler opens a message box.
  void PostClick(ControlId id);
  // Replaces a text box's text, as typing would; the box reports the change to the dialog.
  void Type(ControlId id, std::wstring_view text);
  // Types `text` into the control that has the focus, one character message at a time.
  void TypeChars(std::wstring_view text);
  // Presses and releases a key in the control that has the focus (Enter, Esc, Tab).
  void PressKey(unsigned virtualKey);
  // Alt with `letter`: the access key of a control.
  void PressAccessKey(wchar_t letter);
  // The close box of the title bar.
  void PressCloseBox();

  // ---- Message boxes ----
  // A message box of this process, or null when none appears within `timeout`.
  Window WaitForMessageBox(std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
  static std::wstring MessageBoxText(Window box);
  static std::wstring Title(Window window);
  // Presses the box's OK button (found by its id, IDOK).
  static void PressOk(Window box);

  // ---- The end ----
  bool WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(10));
  bool Running() const;
  unsigned long ExitCode() const;

 private:
  Window FocusOrDialog() const;

  void* process_ = nullptr;
  unsigned long processId_ = 0;
  unsigned long threadId_ = 0;
  Window dialog_ = nullptr;
  std::chrono::steady_clock::time_point started_;
  std::chrono::duration<double, std::milli> toIdle_{};
  std::chrono::duration<double, std::milli> toWindow_{};
};

}  // namespace quenda::e2e
