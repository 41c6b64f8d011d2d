// The save step's machine-wide lock: a named mutex that every Quenda process opens by one name.
#include <windows.h>

#include "process_services_win32.h"

namespace quenda::win32 {
namespace {

// "Global\" puts the name in the namespace all sessions share, so a logon script, an
// administrator's console and the dialog in another session all meet on the same mutex. Creating
// an object there takes a privilege standard users lack, so none of them can hold it to block
// the applies.
constexpr wchar_t kSaveLockName[] = L"Global\\Quenda.SaveSettings";

// Long enough for any apply, which takes well under a second; short enough that a stuck one
// does not leave a script waiting for ever.
constexpr DWORD kSaveLockWait = 30000;  // milliseconds

}  // namespace

bool ProcessServicesWin32::AcquireSaveLock() {
  // SYNCHRONIZE is all that waiting and releasing need, and what an administrator is granted on a
  // mutex that a process running as SYSTEM created with its default security.
  HANDLE mutex = CreateMutexExW(nullptr, kSaveLockName, 0, SYNCHRONIZE);
  if (mutex == nullptr) {
    // A process that may not even open the mutex may not open the Winlogon key for writing
    // either: the save step's access check stops it before its first write.
    return true;
  }
  const DWORD waited = WaitForSingleObject(mutex, kSaveLockWait);
  // WAIT_ABANDONED: the last holder ended without releasing it (a failed write ends the process
  // at once); its writes are over, so the lock is this process's now.
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    CloseHandle(mutex);
    return false;
  }
  saveLock_ = mutex;
  return true;
}

void ProcessServicesWin32::ReleaseSaveLock() {
  if (saveLock_ == nullptr)
    return;
  ReleaseMutex(saveLock_);
  CloseHandle(saveLock_);
  saveLock_ = nullptr;
}

}  // namespace quenda::win32
