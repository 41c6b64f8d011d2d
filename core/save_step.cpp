// The save step and the way a failed write reaches the user.
#include "save_step.h"

#include <utility>

#include "ansi_text.h"
#include "locations.h"
#include "password_store.h"
#include "paths.h"
#include "texts.h"
#include "unchanged.h"

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

// Holds the machine-wide save lock while it lives. Unable to get it in time, it tells the user
// and ends the process before anything is written.
class SaveLock {
 public:
  explicit SaveLock(ProcessServices& services) : services_(services) {
    if (services.AcquireSaveLock())
      return;
    services.ShowMessage(SaveLockTimeoutMessage(), MessageKind::Error);
    services.EndProcess(kExitWriteFailed);
  }
  ~SaveLock() { services_.ReleaseSaveLock(); }
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;

 private:
  ProcessServices& services_;
};

}  // namespace

void CheckResult(registry::Status code, ProcessServices& services) {
  if (code == registry::kSuccess)
    return;
  services.ShowMessage(FailureMessage(), MessageKind::Error);
  services.EndProcess(kExitWriteFailed);
}

SaveOutcome SaveSettings(const LogonSettings& settings, ProcessServices& services) {
  const PasswordWrite password =
      PlanPasswordWrite(settings.autoLogon, settings.password, settings.protect);
  // Checked in the order of the boxes; the password is only written to the registry while the
  // automatic logon is on, otherwise it is deleted. The secret holds any text.
  const std::pair<TextToWrite, SaveOutcome> texts[] = {
      {settings.user, SaveOutcome::UserRefused},
      {settings.autoLogon ? password.registryPassword : TextToWrite(),
       SaveOutcome::PasswordRefused},
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
  // From the first registry call to the last: another apply's writes must not come in between.
  const SaveLock lock(services);
  std::u16string runCommand;
  if (settings.autoLogon) {
    runCommand = StartableRunCommand(services);
    if (runCommand.empty()) {
      services.ShowMessage(RunEntryMessage(services.ExecutableDirectory()), MessageKind::Error);
      services.EndProcess(kExitWriteFailed);
    }
  }
  CheckResult(password.failure, services);
  const std::u16string_view flag = settings.autoLogon ? u"1" : u"0";
  const std::u16string_view automatic = settings.automatic ? u"1" : u"0";
  // Nothing to change needs no right to write: at a standard user's logon the automatic apply
  // then ends quietly.
  if (password.secret == SecretStep::Keep &&
      AutoLogonHolds(flag, settings.user, password.registryPassword, settings.domain, runCommand,
                     automatic)) {
    return SaveOutcome::Saved;
  }
  CheckResult(CheckWriteAccess(settings.autoLogon), services);
  CheckResult(CheckPasswordAccess(password), services);
  CheckResult(WriteSecret(password, settings.password), services);
  CheckResult(
      SaveAutoLogon(flag, settings.user, password.registryPassword, settings.domain, runCommand),
      services);
  CheckResult(SetValue(registry::kLocalMachine, kWinlogonKey, kQuendaValue, automatic), services);
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
