// The console companion's services on Windows: the standard handles, the console's input mode and
// the process.
#pragma once

#include "console_commands.h"

namespace quenda::win32 {

class ConsoleServicesWin32 final : public ConsoleServices {
 public:
  [[noreturn]] void EndProcess(int exitCode) override;
  std::u16string ExecutableDirectory() override;
  std::u16string ShortPath(std::u16string_view path) override;

  void WriteOutput(std::u16string_view text) override;
  void WriteError(std::u16string_view text) override;
  bool InputIsConsole() override;
  std::u16string ReadHiddenLine(std::u16string_view prompt) override;
  std::string ReadInputLine() override;
};

}  // namespace quenda::win32
