// The process services from kernel32: the end of the process, the executable's folder, short
// names, starting a program and reading a file; and from advapi32 the logon tried before a save.
#include <windows.h>

#include <algorithm>

#include "process_services_win32.h"
#include "wide_text.h"

namespace quenda::win32 {

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

std::u16string ProcessServicesWin32::ExecutableDirectory() {
  // Paths may be longer than MAX_PATH; grow until the whole name fits.
  std::u16string path(MAX_PATH, u'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, AsWide(path.data()), static_cast<DWORD>(path.size()));
    if (length == 0)
      return {};
    if (length < path.size()) {
      path.resize(length);
      return DirectoryOf(path);
    }
    path.resize(path.size() * 2);
  }
}

std::u16string ProcessServicesWin32::ShortPath(std::u16string_view path) {
  const Wide longPath(path);
  const DWORD size = GetShortPathNameW(longPath.c_str(), nullptr, 0);
  if (size == 0)
    return std::u16string(path);
  std::u16string shortPath(size, u'\0');
  const DWORD length = GetShortPathNameW(longPath.c_str(), AsWide(shortPath.data()), size);
  if (length == 0 || length >= size)
    return std::u16string(path);
  shortPath.resize(length);
  return shortPath;
}

void ProcessServicesWin32::EndProcess(int exitCode) {
  ExitProcess(static_cast<UINT>(exitCode));
}

std::u16string ProcessServicesWin32::WindowsDirectory() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? Utf16(folder, length) : std::u16string();
}

bool ProcessServicesWin32::StartProgram(std::u16string_view application,
                                        std::u16string_view commandLine, int windowState) {
  const Wide program(application);
  Wide command(commandLine);  // CreateProcessW may write into its command line
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(windowState);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    return false;
  }
  // Not waited for: the handles are only closed.
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return true;
}

std::string ProcessServicesWin32::ReadFileStart(std::u16string_view path, std::size_t limit) {
  const Wide name(path);
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

LogonCheck ProcessServicesWin32::TryLogon(std::u16string_view user, std::u16string_view domain,
                                          std::u16string_view password) {
  HANDLE token = nullptr;
  if (LogonUserW(Wide(user).c_str(), Wide(domain).c_str(), Wide(password).c_str(),
                 LOGON32_LOGON_INTERACTIVE, LOGON32_PROVIDER_DEFAULT, &token)) {
    CloseHandle(token);
    return LogonCheck::Accepted;
  }
  // Any other failure is OtherFailure: ERROR_ACCOUNT_RESTRICTION (a blank password),
  // ERROR_NO_LOGON_SERVERS, ...
  static constexpr struct {
    DWORD error;
    LogonCheck check;
  } kRefusals[] = {
      {ERROR_LOGON_FAILURE, LogonCheck::WrongCredentials},
      {ERROR_ACCOUNT_DISABLED, LogonCheck::AccountDisabled},
      {ERROR_ACCOUNT_LOCKED_OUT, LogonCheck::AccountLockedOut},
      {ERROR_ACCOUNT_EXPIRED, LogonCheck::AccountExpired},
      {ERROR_PASSWORD_EXPIRED, LogonCheck::PasswordExpired},
      {ERROR_PASSWORD_MUST_CHANGE, LogonCheck::PasswordMustChange},
      {ERROR_LOGON_TYPE_NOT_GRANTED, LogonCheck::LogonTypeNotGranted},
      {ERROR_LOGON_NOT_GRANTED, LogonCheck::LogonTypeNotGranted},
  };
  const DWORD error = GetLastError();
  for (const auto& refusal : kRefusals) {
    if (refusal.error == error)
      return refusal.check;
  }
  return LogonCheck::OtherFailure;
}

}  // namespace quenda::win32
