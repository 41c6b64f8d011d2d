// The console companion's command line: which command its arguments ask for.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quenda {

enum class ConsoleAction : std::uint8_t {
  Help,     // /?
  Status,   // /status
  Enable,   // /enable /user:NAME [/domain:NAME] [/automatic] [/protect]
  Disable,  // /disable
  // /uninstall-cleanup, left out of the help: the package's removal runs it to delete a Run
  // entry that starts the program from the folder being removed.
  UninstallCleanup,
  Check,    // /check
  Reapply,  // /reapply: what the automatic mode does at a logon, without a window
};

struct ConsoleCommand {
  ConsoleAction action = ConsoleAction::Help;
  std::u16string user{};                   // Enable: never empty
  std::optional<std::u16string> domain{};  // Enable: nullopt keeps the stored domain
  bool automatic = false;                  // Enable: the program's "Automatically" flag
  bool noCheck = false;                    // Enable: /nocheck, the credentials are not tried
  bool protect = false;                    // Enable: the password into the LSA secret
  bool json = false;                       // Status: /json
  friend bool operator==(const ConsoleCommand&, const ConsoleCommand&) = default;
};

// The command `arguments` (without the program's name) ask for. A switch begins with "/" or "-"
// and its name is matched without regard to case; a value follows a colon ("/user:NAME") and
// keeps its case. nullopt for a usage error: no arguments, not exactly one action, an unknown
// switch, one given twice, a value missing or empty ("/user", "/user:"), a value holding a control
// character (control_characters.h), a value after a switch that takes none, /enable without
// /user:, or an option given to an action it does not belong to (/user:, /domain:, /automatic,
// /protect and /nocheck belong to /enable, /json to /status).
std::optional<ConsoleCommand> ParseCommandLine(std::span<const std::u16string_view> arguments);

}  // namespace quenda
