// The process services on Windows: message boxes, the end of the process, the executable's
// directory, starting programs and reading files.
#pragma once

#include "platform.h"

struct HWND__;

namespace quenda::win32 {

class WindowsPlatform final : public Platform {
 public:
  // Message boxes shown from now on are owned by `owner` (the dialog), so they stay in front of
  // it and keep it disabled while they are open. Null: boxes without an owner.
  void SetOwnerWindow(HWND__* owner) { owner_ = owner; }

  void ShowMessageBox(std::u16string_view text, std::u16string_view title, unsigned style) override;
  [[noreturn]] void EndProcess() override;
  std::u16string ExecutableDirectory() override;
  bool StartProgram(std::u16string_view commandLine, int windowState) override;
  std::unique_ptr<InputFile> OpenForReading(std::u16string_view path) override;

 private:
  HWND__* owner_ = nullptr;
};

// The directory part of an executable's full path: without the file name and without a trailing
// separator, except the one of a drive root ("D:\Quenda.exe" gives "D:\").
std::u16string DirectoryOf(std::u16string_view executablePath);

}  // namespace quenda::win32
