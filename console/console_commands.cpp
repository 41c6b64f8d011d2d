// The console companion's commands on top of the stored settings and the save step.
#include "console_commands.h"

#include <optional>

#include "command_line.h"
#include "credential_check.h"
#include "control_characters.h"
#include "locations.h"
#include "password_line.h"
#include "password_store.h"
#include "paths.h"
#include "readiness.h"
#include "save_step.h"
#include "status_json.h"
#include "status_report.h"
#include "stored_settings.h"
#include "texts.h"

namespace quenda {
namespace {

// The password for /enable: the first line of standard input, or, at a console, typed twice
// without echo as the dialog's two password boxes ask for it. nullopt, after telling the user why
// and setting `exitCode`, when there is none to store: the two typed differ, or the input is
// refused.
std::optional<std::u16string> ReadPassword(ProcessServices& process, ConsoleIo& console,
                                           int& exitCode) {
  PasswordLine line;
  if (!console.InputIsConsole()) {
    line = PasswordFromInput(console.ReadInputLine());
  } else {
    std::optional<std::u16string> typed = console.ReadHiddenLine(PasswordPrompt());
    const std::optional<std::u16string> confirmation =
        typed ? console.ReadHiddenLine(ConfirmationPrompt()) : std::nullopt;
    if (!confirmation) {
      line.refusal = PasswordRefusal::NoLine;
    } else if (*confirmation != *typed) {
      process.ShowMessage(MismatchMessage(), MessageKind::Plain);
      exitCode = kExitWriteFailed;
      return std::nullopt;
    } else if (HasControlCharacter(*typed)) {
      line.refusal = PasswordRefusal::ControlCharacter;
    } else {
      line.password = *std::move(typed);
    }
  }
  if (line.refusal == PasswordRefusal::None)
    return std::move(line.password);
  const bool noLine = line.refusal == PasswordRefusal::NoLine;
  exitCode = noLine ? kExitUsage : kExitWriteFailed;
  process.ShowMessage(noLine ? NoPasswordLineMessage()
                      : line.refusal == PasswordRefusal::TooLong
                          ? PasswordTooLongMessage()
                          : PasswordControlCharacterMessage(),
                      MessageKind::Plain);
  return std::nullopt;
}

// The credentials tried before /enable writes them. True when Windows refuses them: the user is
// told why, and nothing may be written.
bool CredentialsRefused(const LogonSettings& settings, ProcessServices& process) {
  const LogonCheck check = TryCredentials(settings, process);
  if (!Refuses(check))
    return false;
  process.ShowMessage(LogonRefusedMessage(check).append(NoCheckHint()), MessageKind::Error);
  return true;
}

int Enable(const ConsoleCommand& command, ProcessServices& process, ConsoleIo& console) {
  int exitCode = 0;
  const std::optional<std::u16string> password = ReadPassword(process, console, exitCode);
  if (!password)
    return exitCode;
  const StoredSettings stored = ReadStoredSettings();
  // Without /domain: the dialog would write its domain box as start-up filled it.
  const TextToWrite domain =
      command.domain ? TextToWrite(*command.domain) : stored.domain.Unedited();
  const LogonSettings settings{.autoLogon = true,
                               .automatic = command.automatic,
                               .user = command.user,
                               .password = *password,
                               .domain = domain,
                               .protect = command.protect};
  if (!command.noCheck && CredentialsRefused(settings, process))
    return kExitWriteFailed;
  return SaveSettings(settings, process) == SaveOutcome::Saved ? 0 : kExitWriteFailed;
}

// The status report or the check, or, when some value may not be read, only a message: a report
// made of what could be read would show a configuration that is not the stored one.
int Report(const ConsoleCommand& command, ProcessServices& process, ConsoleIo& console) {
  const StoredSettings stored = ReadStoredSettings();
  const PasswordLocation password = WherePasswordIsKept();
  const Readiness readiness = ReadReadiness(password == PasswordLocation::Protected);
  if (stored.unreadable || password == PasswordLocation::Unknown || readiness.unreadable) {
    process.ShowMessage(UnreadableMessage(), MessageKind::Error);
    return kExitWriteFailed;
  }
  if (command.action == ConsoleAction::Check) {
    console.WriteOutput(FindingLines(readiness));
    return readiness.Ready() ? 0 : kExitNotReady;
  }
  console.WriteOutput(command.json
                          ? StatusJson(stored, PasswordLocationName(password), readiness)
                          : StatusReport(stored, password).append(FindingLines(readiness)));
  return 0;
}

int Disable(ProcessServices& process) {
  const StoredSettings stored = ReadStoredSettings();
  // Clearing "Starting Auto Logon" clears "Automatically" too; the password is deleted whatever
  // it holds.
  const LogonSettings settings{.autoLogon = false,
                               .automatic = false,
                               .user = stored.user.Unedited(),
                               .password = std::nullopt,
                               .domain = stored.domain.Unedited()};
  return SaveSettings(settings, process) == SaveOutcome::Saved ? 0 : kExitWriteFailed;
}

// The automatic mode at a logon, without a window: with "Automatically" on, the stored settings
// applied with the automatic logon on, every credential as start-up reads it.
int Reapply(ProcessServices& process, ConsoleIo& console) {
  const StoredSettings stored = ReadStoredSettings();
  if (!stored.automatic) {
    console.WriteOutput(ReapplyOffMessage());
    return 0;
  }
  const StoredPassword password = ReadStoredPassword();  // outlives the settings that view it
  const LogonSettings settings{.autoLogon = true,
                               .automatic = true,
                               .user = stored.user.Unedited(),
                               .password = password.text.Unedited(),
                               .domain = stored.domain.Unedited()};
  return SaveSettings(settings, process) == SaveOutcome::Saved ? 0 : kExitWriteFailed;
}

char16_t FoldCase(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// True when `command`, quoted or not, names a file directly inside `folder` (Windows paths
// compare without regard to case).
bool StartsFromFolder(std::u16string_view command, std::u16string_view folder) {
  if (command.size() >= 2 && command.front() == u'"' && command.back() == u'"')
    command = command.substr(1, command.size() - 2);
  const std::u16string prefix = JoinPath(folder, u"");
  if (folder.empty() || command.size() <= prefix.size())
    return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (FoldCase(command[i]) != FoldCase(prefix[i]))
      return false;
  }
  return command.find_first_of(u"\\/", prefix.size()) == std::u16string_view::npos;
}

int RemoveRunEntryOfThisFolder(ProcessServices& process) {
  const std::u16string command = ReadRunEntry();
  // The save step writes the folder's short name where the code page cannot hold the long one.
  const std::u16string folder = process.ExecutableDirectory();
  if (!StartsFromFolder(command, folder) && !StartsFromFolder(command, process.ShortPath(folder)))
    return 0;
  return DeleteValue(registry::kLocalMachine, kRunKey, kQuendaValue) == registry::kSuccess
             ? 0
             : kExitWriteFailed;
}

}  // namespace

int RunConsole(std::span<const std::u16string_view> arguments, ProcessServices& process,
               ConsoleIo& console) {
  ChooseLanguageFromLocale();
  const std::optional<ConsoleCommand> command = ParseCommandLine(arguments);
  if (!command) {
    console.WriteError(ConsoleUsage());
    return kExitUsage;
  }
  switch (command->action) {
    case ConsoleAction::Help:
      console.WriteOutput(ConsoleUsage());
      return 0;
    case ConsoleAction::Status:
    case ConsoleAction::Check:
      return Report(*command, process, console);
    case ConsoleAction::Enable:
      return Enable(*command, process, console);
    case ConsoleAction::Disable:
      return Disable(process);
    case ConsoleAction::UninstallCleanup:
      return RemoveRunEntryOfThisFolder(process);
    case ConsoleAction::Reapply:
      return Reapply(process, console);
  }
  return kExitUsage;
}

}  // namespace quenda
