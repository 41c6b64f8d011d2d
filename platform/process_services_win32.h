// The process services on Windows, one implementation for both programs. Each program adds the
// way it shows a message: a message box for the dialog, standard error for the command line.
#pragma once

#include <string>
#include <string_view>

#include "process_services.h"

namespace quenda::win32 {

class ProcessServicesWin32 : public ProcessServices {
 public:
  [[noreturn]] void EndProcess(int exitCode) override;
  std::u16string ExecutableDirectory() override;
  std::u16string ShortPath(std::u16string_view path) override;
  std::u16string WindowsDirectory() override;
  bool StartProgram(std::u16string_view application, std::u16string_view commandLine,
                    int windowState) override;
  std::string ReadFileStart(std::u16string_view path, std::size_t limit) override;
  LogonCheck TryLogon(std::u16string_view user, std::u16string_view domain,
                      std::u16string_view password) override;
  // A named mutex in the Global namespace (save_lock_win32.cpp).
  bool AcquireSaveLock() override;
  void ReleaseSaveLock() override;

 private:
  void* saveLock_ = nullptr;  // the mutex's handle while this process holds it
};

// The directory part of an executable's full path: without the file name and without a trailing
// separator, except the one of a drive root ("D:\Quenda.exe" gives "D:\").
std::u16string DirectoryOf(std::u16string_view executablePath);

}  // namespace quenda::win32
