// The console companion's commands: the same reads, rules and save step as the dialog, driven by
// a command line instead of a window.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "process_services.h"

namespace quenda {

// Exit codes besides 0 (done) and kExitWriteFailed (1, not done: a write failed, or the input
// could not be stored and nothing was written). Standard input without any line is a usage error.
inline constexpr int kExitUsage = 2;
// /check: something stops Windows from logging on by itself.
inline constexpr int kExitNotReady = 3;

// What the commands need from the console, besides the process services.
class ConsoleIo {
 public:
  virtual ~ConsoleIo() = default;

  // Writes `text` as it is to standard output or standard error.
  virtual void WriteOutput(std::u16string_view text) = 0;
  virtual void WriteError(std::u16string_view text) = 0;

  // True when standard input is a console, where a person types; false for a pipe, a file or no
  // input at all.
  virtual bool InputIsConsole() = 0;
  // Shows `prompt` and returns the line then typed at the console, without echoing it and
  // without its line end; nullopt when no line end came (the input ended or was interrupted).
  // Ctrl+C, Ctrl+Break and closing the console meanwhile leave the console's echo as it was.
  virtual std::optional<std::u16string> ReadHiddenLine(std::u16string_view prompt) = 0;
  // Standard input read one byte at a time until InputLineEnded (password_line.h) or its end:
  // empty when it holds no byte at all, longer than kMaxInputLine for an over-long line. Nothing
  // after that is taken from it.
  virtual std::string ReadInputLine() = 0;
};

// Runs the command that `arguments` (without the program's name) ask for and returns the exit
// code. Messages follow the user's locale, as the dialog's do.
// - A usage error: the help on standard error, kExitUsage; nothing is read but the locale and
//   nothing is written.
// - /status: the status report and the readiness report's findings on standard output; with
//   /json the two as one JSON object (StatusJson). 0 whatever the findings.
// - /check: the findings, one line each, on standard output; 0 without a blocker (warnings
//   allowed), kExitNotReady with one.
// - /status, /check: when some value may not be read, only UnreadableMessage, and
//   kExitWriteFailed.
// - /enable, /disable: the settings the dialog's OK writes with "Starting Auto Logon" ticked or
//   cleared, through SaveSettings. A failed write ends the process there (CheckResult).
//   /enable's password is refused before anything is written, with a message: kExitUsage when
//   standard input holds no line, kExitWriteFailed when the line is over-long or holds a control
//   character. /enable then tries the credentials (TryCredentials) unless /nocheck is given: when
//   Windows refuses them it says why and returns kExitWriteFailed, writing nothing.
// - /reapply: with "Automatically" on, the stored settings applied as the dialog's countdown
//   applies them (automatic logon on, nothing retyped, the credentials never tried); otherwise a
//   line saying that nothing changed. 0 either way; a failed write ends the process there.
// - /uninstall-cleanup: deletes the Run entry when it starts a program in this executable's
//   folder; prints nothing.
int RunConsole(std::span<const std::u16string_view> arguments, ProcessServices& process,
               ConsoleIo& console);

}  // namespace quenda
