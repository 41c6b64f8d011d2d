// The password-store rule: the secret first, the registry value otherwise.
#include "password_store.h"

#include "locations.h"
#include "secret_store.h"

namespace quenda {

StoredPassword ReadStoredPassword() {
  StoredPassword password;
  const secret::Status read = secret::RetrieveSecret(password.text.text);
  if (read == secret::kSuccess) {
    password.text.state = ValueState::Shown;
    password.location = PasswordLocation::Protected;
  } else if (read != secret::kNotFound) {
    // Whether Windows uses a secret or the registry value is unknown: show nothing, keep it.
    password.text.state = ValueState::Unreadable;
    password.location = PasswordLocation::Unknown;
  } else {
    password.text = ReadCredential(kDefaultPasswordValue);
    const ValueState state = password.text.state;
    // A value of another type or length still is a stored password; an empty text is none.
    if (state == ValueState::Unreadable)
      password.location = PasswordLocation::Unknown;
    else if (state != ValueState::Missing &&
             !(state == ValueState::Shown && password.text.text.empty()))
      password.location = PasswordLocation::Registry;
  }
  return password;
}

PasswordLocation WherePasswordIsKept() {
  return ReadStoredPassword().location;
}

PasswordWrite PlanPasswordWrite(bool autoLogon, TextToWrite password, bool protect) {
  std::u16string stored;
  const secret::Status read = secret::RetrieveSecret(stored);
  const bool exists = read == secret::kSuccess;
  const bool known = exists || read == secret::kNotFound;
  PasswordWrite write;
  write.registryPassword = password;
  if (!autoLogon || (password && password->empty())) {
    // No password may stay behind: SaveAutoLogon deletes the registry value, this the secret.
    if (!known || exists)
      write.secret = SecretStep::Delete;
  } else if (password && (exists || protect)) {
    write.registryPassword = u"";
    if (!exists || stored != *password)
      write.secret = SecretStep::Store;
  } else if (password && !known) {
    write.failure = read;  // it may hold the password Windows uses: no telling where this goes
  }
  return write;
}

registry::Status CheckPasswordAccess(const PasswordWrite& write) {
  return write.secret == SecretStep::Keep ? registry::kSuccess : secret::CheckStoreAccess();
}

registry::Status WriteSecret(const PasswordWrite& write, TextToWrite password) {
  if (write.secret == SecretStep::Keep)
    return registry::kSuccess;
  return secret::StoreSecret(write.secret == SecretStep::Store ? password : std::nullopt);
}

}  // namespace quenda
