// The credentials tried before a manual save turns the automatic logon on, so that a mistyped
// password is caught while someone is there to correct it, not at the next start.
#pragma once

#include "process_services.h"
#include "save_step.h"

namespace quenda {

// Tries the credentials `settings` would store (TryLogon, the local computer "." for an empty
// domain) when they turn the automatic logon on for a user name. Accepted, without trying, when
// they turn it off, name no user, or keep a stored text that cannot be shown faithfully (the
// text shown is not the one Windows would use).
// Never called by the countdown's apply: trying a wrong stored password at every logon could lock
// the account out.
LogonCheck TryCredentials(const LogonSettings& settings, ProcessServices& services);

// True for the answers that mean the automatic logon would fail with these credentials; false for
// Accepted and OtherFailure, which are saved without asking.
bool Refuses(LogonCheck check);

}  // namespace quenda
