// The save step and the way a failed write reaches the user.
#include "save_step.h"

#include "ansi_text.h"
#include "locations.h"
#include "paths.h"
#include "texts.h"

namespace quenda {
namespace {

bool Fits(TextToWrite text) {
  return !text || FitsAnsi(*text);
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

bool SaveSettings(const LogonSettings& settings, ProcessServices& services) {
  // The password is only written while the automatic logon is on; otherwise it is deleted.
  if (!Fits(settings.user) || !Fits(settings.domain) ||
      (settings.autoLogon && !Fits(settings.password))) {
    services.ShowMessage(UnrepresentableMessage(), MessageKind::Plain);
    return false;
  }
  // From the first registry call to the last: another apply's writes must not come in between.
  const SaveLock lock(services);
  std::u16string runCommand;
  if (settings.autoLogon) {
    runCommand = StartableRunCommand(services);
    if (runCommand.empty())
      CheckResult(registry::kNoUnicodeTranslation, services);
  }
  CheckResult(CheckWriteAccess(), services);
  CheckResult(SaveAutoLogon(settings.autoLogon ? u"1" : u"0", settings.user, settings.password,
                            settings.domain, runCommand),
              services);
  CheckResult(SetValue(registry::kLocalMachine, kWinlogonKey, kQuendaValue,
                       settings.automatic ? u"1" : u"0"),
              services);
  return true;
}

std::u16string RunCommandFor(std::u16string_view directory) {
  std::u16string command = JoinPath(directory, u"Quenda.exe");
  // Unquoted, a path with a blank would let Windows try "C:\Program.exe" first at every logon.
  if (command.find_first_of(u" \t") != std::u16string::npos)
    command = u'"' + command + u'"';
  return command;
}

}  // namespace quenda
