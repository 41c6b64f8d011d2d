// Comparing the values an apply would write with the stored ones, byte for byte.
#include "unchanged.h"

#include <array>
#include <string>
#include <tuple>

#include "ansi_text.h"
#include "locations.h"

namespace quenda {

bool ValueHolds(registry::Key root, std::u16string_view path, std::u16string_view name,
                TextToWrite text) {
  if (!text)
    return true;
  const std::string expected = ToAnsi(*text);
  registry::Key key = 0;
  const registry::Status opened =
      registry::OpenKey(root, ToAnsi(path), 0, registry::kReadAccess, &key);
  // A value longer than the longest text the save step writes does not fit, and does not hold.
  std::array<char, kMaxReadableBytes> stored;
  auto length = static_cast<std::uint32_t>(stored.size());
  std::uint32_t type = registry::kTypeNone;
  const registry::Status queried = registry::QueryValue(
      key, ToAnsi(name), &type, reinterpret_cast<unsigned char*>(stored.data()), &length);
  registry::CloseKey(key);
  if (expected.empty())
    return (opened != registry::kSuccess ? opened : queried) == registry::kFileNotFound;
  if (queried != registry::kSuccess || type != registry::kTypeSz)
    return false;
  // A text stored with its terminating NUL holds as well as one stored without.
  if (length > 0 && stored[length - 1] == '\0')
    --length;
  return std::string_view(stored.data(), length) == expected;
}

bool AutoLogonHolds(std::u16string_view flag, TextToWrite user, TextToWrite password,
                    TextToWrite domain, std::u16string_view runCommand,
                    std::u16string_view automatic) {
  // The values of SaveAutoLogon, each with what it leaves there (turning off deletes the
  // password and the Run entry), then the program's flag.
  const bool on = flag == u"1";
  const std::tuple<std::u16string_view, std::u16string_view, TextToWrite> values[] = {
      {kWinlogonKey, kAutoAdminLogonValue, flag},
      {kWinlogonKey, kDefaultUserNameValue, user},
      {kWinlogonKey, kDefaultPasswordValue, on ? password : TextToWrite(u"")},
      {kRunKey, kQuendaValue, on ? runCommand : std::u16string_view()},
      {kWinlogonKey, kDefaultDomainNameValue, domain},
      {kWinlogonKey, kQuendaValue, automatic},
  };
  for (const auto& [path, name, text] : values) {
    if (!ValueHolds(registry::kLocalMachine, path, name, text))
      return false;
  }
  return true;
}

}  // namespace quenda
