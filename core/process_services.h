// The seam between Quenda's logic and the process it runs in, shared by the dialog and the
// command line.
//
// The product has one Win32 implementation (platform/), in which each program shows messages its
// own way: a message box in the dialog, a line on standard error on the command line. Tests have
// a headless one that records everything in one place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quenda {

// Every message box has an OK button and the title "Quenda".
enum class MessageKind : std::uint8_t {
  Plain,    // no icon (MB_OK)
  Error,    // the error icon (MB_OK | MB_ICONERROR)
  Warning,  // the warning icon (MB_OK | MB_ICONWARNING)
};

// What Windows answered when the credentials were tried (TryLogon).
enum class LogonCheck : std::uint8_t {
  Accepted,
  // Answers that mean the automatic logon would fail with these credentials:
  WrongCredentials,  // unknown user name or wrong password
  AccountDisabled,
  AccountLockedOut,
  AccountExpired,
  PasswordExpired,
  PasswordMustChange,
  LogonTypeNotGranted,  // the account may not log on interactively here
  // Any other answer, which says nothing certain about the automatic logon: no logon server
  // reachable, the restriction on blank passwords over the network, not supported, ...
  OtherFailure,
};

// Window state for StartProgram: minimized, with the focus (SW_SHOWMINIMIZED).
inline constexpr int kShowMinimized = 2;

// The process exit code after a failed registry write (a successful run ends with 0).
inline constexpr int kExitWriteFailed = 1;

class ProcessServices {
 public:
  virtual ~ProcessServices() = default;

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

  // The Windows folder ("C:\Windows"), where the system's own programs are.
  virtual std::u16string WindowsDirectory() = 0;

  // Starts the program file `application` (a full path, so that no search finds another program
  // of that name first) with `commandLine` and the given window state, without waiting. False
  // when it could not be started; the caller decides whether that matters.
  virtual bool StartProgram(std::u16string_view application, std::u16string_view commandLine,
                            int windowState) = 0;

  // At most `limit` bytes from the start of the file at `path`: fewer when the file is shorter or
  // a read fails part-way (what was read before stays), none when it cannot be opened.
  virtual std::string ReadFileStart(std::u16string_view path, std::size_t limit) = 0;

  // Tries an interactive logon with these credentials (`domain` "." for the local computer) and
  // ends the session at once. Nothing is shown; the password is kept nowhere.
  virtual LogonCheck TryLogon(std::u16string_view user, std::u16string_view domain,
                              std::u16string_view password) = 0;

  // Asks `question`, with the warning icon, and returns true for Yes. No is the default answer.
  // The command line never asks: it returns false.
  virtual bool Ask(std::u16string_view question) = 0;
  // The machine-wide lock that keeps two applies (of any program, in any session) from mixing
  // their writes. AcquireSaveLock waits while another process holds it, for a bounded time, and
  // returns false when that time ran out; after true, ReleaseSaveLock gives it back. A process
  // ended while holding it gives it up.
  virtual bool AcquireSaveLock() = 0;
  virtual void ReleaseSaveLock() = 0;
};

}  // namespace quenda
