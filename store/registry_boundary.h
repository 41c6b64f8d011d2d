// The narrow registry boundary: the six operations every registry access of Quenda goes through.
//
// The operations mirror the ANSI entry points of the Windows registry API (RegOpenKeyExA,
// RegCreateKeyExA, RegQueryValueExA, RegSetValueExA, RegDeleteValueA, RegCloseKey) argument for
// argument, so that the routines above them behave the same against the real registry and against
// the in-memory substitute. The build links exactly one backend: registry_win32.cpp on Windows,
// registry_memory.cpp elsewhere.
//
// Text crosses this boundary as bytes in the system's ANSI code page (see ansi_text.h); callers
// convert before the call and decode after it.
#pragma once

#include <cstdint>
#include <string>

namespace quenda::registry {

// A key handle: a predefined root or a key opened by OpenKey/CreateKey. Wide enough for a pointer.
// 0 is "no key": every operation on it fails with kInvalidHandle and changes nothing.
using Key = std::uintptr_t;

// The platform's result code: 0 is success, anything else a failure.
using Status = std::int32_t;

// Predefined roots, with the 32-bit values Windows gives them. The Windows backend sign-extends
// them to 64 bits as the platform headers do.
inline constexpr Key kCurrentUser = 0x80000001u;
inline constexpr Key kLocalMachine = 0x80000002u;

inline constexpr Status kSuccess = 0;
inline constexpr Status kFileNotFound = 2;   // ERROR_FILE_NOT_FOUND: no such key or value
inline constexpr Status kAccessDenied = 5;   // ERROR_ACCESS_DENIED
inline constexpr Status kInvalidHandle = 6;  // ERROR_INVALID_HANDLE
inline constexpr Status kMoreData = 234;     // ERROR_MORE_DATA: the data does not fit the buffer
// ERROR_NO_UNICODE_TRANSLATION: a stored text holds characters the ANSI code page cannot show.
inline constexpr Status kNoUnicodeTranslation = 1113;

// Access masks the routines use.
inline constexpr std::uint32_t kReadAccess = 0x20001;  // READ_CONTROL | KEY_QUERY_VALUE
inline constexpr std::uint32_t kAllAccess = 0x2003F;   // KEY_ALL_ACCESS without the WOW64 bits

// Value types.
inline constexpr std::uint32_t kTypeNone = 0;
inline constexpr std::uint32_t kTypeSz = 1;
inline constexpr std::uint32_t kTypeExpandSz = 2;
inline constexpr std::uint32_t kTypeBinary = 3;
inline constexpr std::uint32_t kTypeDword = 4;
inline constexpr std::uint32_t kTypeMultiSz = 7;

// The platform's SECURITY_ATTRIBUTES record as the routines fill it. The Windows backend copies it
// into the real record, whose length field it sets to the size of that record.
struct SecurityAttributes {
  void* securityDescriptor = nullptr;  // null: the platform's default security
  bool inheritHandle = false;
};

// Opens `subKey` under `root`. On success stores the new handle in *result and returns 0. On
// failure returns the status (kFileNotFound for a missing key, kAccessDenied, kInvalidHandle for
// a bad root) and leaves *result 0 when it was 0.
Status OpenKey(Key root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
               Key* result);

// Creates `subKey` under `root`, with every missing key on the way, or opens it when it exists.
// `className` is the class text of a created key. On success stores the handle in *result and,
// when `disposition` is not null, 1 (created) or 2 (opened) in *disposition.
Status CreateKey(Key root, const std::string& subKey, std::uint32_t reserved, const char* className,
                 std::uint32_t options, std::uint32_t access, const SecurityAttributes* security,
                 Key* result, std::uint32_t* disposition);

// Reads value `name` of `key`. *length holds the buffer size on entry.
// - Success: *type is the stored type, data[0..*length) the stored bytes, *length their count
//   (a REG_SZ stored with a terminating NUL reports it; one stored without reports none).
// - The data does not fit: returns kMoreData and sets *length to the size needed (> buffer size).
//   The buffer's contents are then unspecified; callers must not look at them.
// - A text the ANSI code page cannot hold (stored by another program through the wide API):
//   returns kNoUnicodeTranslation with *type, *length and the data filled as for success, the
//   characters the code page lacks given as '?' (what the plain ANSI call would return).
// - Missing key or value, bad handle: returns the failure status; *type and *length keep what
//   they held on entry.
Status QueryValue(Key key, const std::string& name, std::uint32_t* type, unsigned char* data,
                  std::uint32_t* length);

// Stores `length` bytes of `data` as value `name` of type `type`, replacing any earlier value.
// For text types Windows also stores a terminating NUL that the length leaves out when the byte
// after the data is NUL (so "1" with length 1 is read back as "1\0"); the substitute does too.
Status SetValue(Key key, const std::string& name, std::uint32_t reserved, std::uint32_t type,
                const unsigned char* data, std::uint32_t length);

// Removes value `name`. kFileNotFound when it does not exist.
Status DeleteValue(Key key, const std::string& name);

// Closes a handle returned by OpenKey or CreateKey. Closing 0 or a root is harmless.
Status CloseKey(Key key);

}  // namespace quenda::registry
