// The console companion's services on Windows: the standard handles, the console's input mode and
// the process.
#pragma once

#include "console_commands.h"
#include "process_services_win32.h"

namespace quenda::win32 {

class ConsoleServicesWin32 final : public ProcessServicesWin32, public ConsoleIo {
 public:
  // A message is one line on standard error.
  void ShowMessage(std::u16string_view text, MessageKind kind) override;
  // The command line refuses instead of asking.
  bool Ask(std::u16string_view) override { return false; }

  void WriteOutput(std::u16string_view text) override;
  void WriteError(std::u16string_view text) override;
  bool InputIsConsole() override;
  std::optional<std::u16string> ReadHiddenLine(std::u16string_view prompt) override;
  std::string ReadInputLine() override;
};

}  // namespace quenda::win32
