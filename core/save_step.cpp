// The save step and the way a failed write reaches the user.
#include "save_step.h"

#include <utility>

#include "ansi_text.h"
#include "locations.h"
#include "paths.h"
#include "texts.h"

namespace quenda {
namespace {

enum class TextFault : std::uint8_t { None, Unrepresentable, TooLong };

// Whether `text` can be stored so that it reads back exactly: within the code page, and short
// enough for GetValue, counting the terminating NUL the registry may keep after it.
TextFault FaultOf(TextToWrite text) {
  if (!text)
    return TextFault::None;
  if (!FitsAnsi(*text))
    return TextFault::Unrepresentable;
  return ToAnsi(*text).size() + 1 > kMaxReadableBytes ? TextFault::TooLong : TextFault::None;
}

// A Run entry that starts this program: its folder as it is, or, where the code page cannot hold
// that name, the folder's short name. Empty when neither can be written.
std::u16string StartableRunCommand(ProcessServices& services) {
  const std::u16string directory = services.ExecutableDirectory();
  std::u16string command = RunCommandFor(directory);
  if (!FitsAnsi(command))
    command = RunCommandFor(services.ShortPath(directory));
  return FitsAnsi(command) ? command : std::u16string();
}

}  // namespace

void CheckResult(registry::Status code, ProcessServices& services) {
  if (code == registry::kSuccess)
    return;
  services.ShowMessage(FailureMessage(), MessageKind::Error);
  services.EndProcess(kExitWriteFailed);
}

SaveOutcome SaveSettings(const LogonSettings& settings, ProcessServices& services) {
  // Checked in the order of the boxes; the password is only written while the automatic logon is
  // on, otherwise it is deleted.
  const std::pair<TextToWrite, SaveOutcome> texts[] = {
      {settings.user, SaveOutcome::UserRefused},
      {settings.autoLogon ? settings.password : TextToWrite(), SaveOutcome::PasswordRefused},
      {settings.domain, SaveOutcome::DomainRefused},
  };
  for (const auto& [text, refusal] : texts) {
    const TextFault fault = FaultOf(text);
    if (fault != TextFault::None) {
      services.ShowMessage(
          fault == TextFault::TooLong ? TooLongMessage() : UnrepresentableMessage(),
          MessageKind::Plain);
      return refusal;
    }
  }
  std::u16string runCommand;
  if (settings.autoLogon) {
    runCommand = StartableRunCommand(services);
    if (runCommand.empty()) {
      services.ShowMessage(RunEntryMessage(services.ExecutableDirectory()), MessageKind::Error);
      services.EndProcess(kExitWriteFailed);
    }
  }
  CheckResult(CheckWriteAccess(settings.autoLogon), services);
  CheckResult(SaveAutoLogon(settings.autoLogon ? u"1" : u"0", settings.user, settings.password,
                            settings.domain, runCommand),
              services);
  CheckResult(SetValue(registry::kLocalMachine, kWinlogonKey, kQuendaValue,
                       settings.automatic ? u"1" : u"0"),
              services);
  return SaveOutcome::Saved;
}

std::u16string RunCommandFor(std::u16string_view directory) {
  std::u16string command = JoinPath(directory, u"Quenda.exe");
  // Unquoted, a path with a blank would let Windows try "C:\Program.exe" first at every logon.
  if (command.find_first_of(u" \t") != std::u16string::npos)
    command = u'"' + command + u'"';
  return command;
}

}  // namespace quenda
