// The password-store rule, in one place for both programs: where the automatic-logon password is
// read from, where an apply puts it, and in which order.
//
// Windows takes the password from the LSA secret "DefaultPassword" when that exists and from the
// registry value DefaultPassword otherwise, so the secret is read first. An apply keeps the
// password where Windows will read it: in the secret when one exists already or when asked to
// protect it, otherwise in the registry value, as always. A password that is turned off or
// emptied is deleted from both. The secret is written or deleted before the first registry write,
// so that a failure there leaves everything unwritten.
#pragma once

#include <cstdint>

#include "password_location.h"
#include "stored_settings.h"

namespace quenda {

// The password Windows will use, as StoredText (for the dialog's boxes and the apply's "unedited"
// rule), and where it is kept. A secret that may not be read reads as ValueState::Unreadable, so
// that an apply that nobody edited leaves the password alone.
struct StoredPassword {
  StoredText text;
  PasswordLocation location = PasswordLocation::None;
};
StoredPassword ReadStoredPassword();
PasswordLocation WherePasswordIsKept();

// What an apply does with the secret.
enum class SecretStep : std::uint8_t { Keep, Store, Delete };

// The password part of one apply.
struct PasswordWrite {
  SecretStep secret = SecretStep::Keep;
  // What SaveAutoLogon writes as DefaultPassword while the automatic logon is on: the password,
  // or the empty text (deleting the value) when the secret holds the password.
  TextToWrite registryPassword;
  // Not 0 when the secret could not be read and the rule depends on it: the apply must not run.
  registry::Status failure = registry::kSuccess;
};
// Reads the secret and decides: `password` is the apply's (nullopt leaves it as stored),
// `protect` asks for the secret even where none exists yet. A secret that already holds what the
// apply would store is kept.
PasswordWrite PlanPasswordWrite(bool autoLogon, TextToWrite password, bool protect);

// Part of the check before writing: opens the LSA policy for storing when `write` changes the
// secret. 0 or the failure.
registry::Status CheckPasswordAccess(const PasswordWrite& write);

// Stores `password` (the apply's) in the secret or deletes the secret, as `write` says (nothing
// for SecretStep::Keep). 0 or the failure.
registry::Status WriteSecret(const PasswordWrite& write, TextToWrite password);

}  // namespace quenda
