// The protected password: the narrow boundary to the LSA secret "DefaultPassword".
//
// When that secret exists, Windows takes the automatic-logon password from it and ignores the
// registry value DefaultPassword. These three operations are all Quenda does with it. The build
// links exactly one backend: secret_store_win32.cpp (the LSA private-data calls of advapi32) on
// Windows, secret_store_memory.cpp elsewhere.
//
// The secret holds UTF-16 text, so it crosses this boundary as it is, without the ANSI code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quenda::secret {

// A Windows error code (the LSA's status as LsaNtStatusToWinError gives it): 0 is success.
using Status = std::int32_t;

inline constexpr Status kSuccess = 0;
// ERROR_FILE_NOT_FOUND: there is no such secret. (Wine's LSA answers this to every retrieve and
// every store.)
inline constexpr Status kNotFound = 2;
inline constexpr Status kAccessDenied = 5;

// Opens the local LSA policy with the rights StoreSecret needs and closes it again: 0, or the
// failure (kAccessDenied without administrative rights). Called before the first write of an
// apply that stores or deletes the secret.
Status CheckStoreAccess();

// Reads the secret into `password`:
// - kSuccess: the secret exists; `password` holds its text (one terminating NUL dropped).
// - kNotFound: there is no secret; `password` is left as it was.
// - anything else: it could not be read (kAccessDenied without administrative rights), so
//   whether a secret exists is unknown; `password` is left as it was.
Status RetrieveSecret(std::u16string& password);

// Stores `password` as the secret, replacing any earlier one, or, for nullopt, deletes the
// secret (an empty text is stored as an empty secret; deleting is the only way to leave no
// password behind). Deleting a secret that does not exist succeeds: nothing to delete.
Status StoreSecret(std::optional<std::u16string_view> password);

}  // namespace quenda::secret
