// Trying the credentials before a manual save.
#include "credential_check.h"

namespace quenda {

LogonCheck TryCredentials(const LogonSettings& settings, ProcessServices& services) {
  if (!settings.autoLogon || !settings.user || settings.user->empty() || !settings.password ||
      !settings.domain) {
    return LogonCheck::Accepted;
  }
  return services.TryLogon(*settings.user, settings.domain->empty() ? u"." : *settings.domain,
                           *settings.password);
}

bool Refuses(LogonCheck check) {
  return check != LogonCheck::Accepted && check != LogonCheck::OtherFailure;
}

}  // namespace quenda
