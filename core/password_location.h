// Where the automatic-logon password is kept, as /status reports it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quenda {

enum class PasswordLocation : std::uint8_t {
  None,       // no password: neither the secret nor a non-empty DefaultPassword
  Registry,   // the registry value DefaultPassword, which every local user can read
  Protected,  // the LSA secret "DefaultPassword", which Windows reads first
  Unknown,    // the secret, or the value, may not be read (no administrative rights)
};

// The location's name, the same in every language: "none", "registry", "protected", "unknown".
constexpr std::u16string_view PasswordLocationName(PasswordLocation location) {
  constexpr std::u16string_view kNames[] = {u"none", u"registry", u"protected", u"unknown"};
  return kNames[static_cast<std::size_t>(location)];
}

}  // namespace quenda
