// The registry routines and the fixed write order of one automatic-logon configuration.
#include "registrys.h"

#include <algorithm>
#include <array>
#include <exception>

#include "ansi_text.h"
#include "language.h"
#include "locations.h"
#include "platform.h"

namespace quenda {
namespace {

// The largest value GetValue reads; longer data reads as "nothing read".
constexpr std::uint32_t kReadBufferSize = 1024;

// Class text given to a key that SetValue creates.
constexpr char kCreatedKeyClass[] = "1";

// Closes the key when the routine leaves, whichever way it leaves.
class KeyCloser {
 public:
  explicit KeyCloser(registry::Key& key) : key_(key) {}
  ~KeyCloser() { registry::CloseKey(key_); }
  KeyCloser(const KeyCloser&) = delete;
  KeyCloser& operator=(const KeyCloser&) = delete;

 private:
  registry::Key& key_;
};

std::u16string DecimalText(std::uint32_t number) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + number % 10));
    number /= 10;
  } while (number != 0);
  return digits;
}

// The text of `length` bytes read as `type`. A REG_DWORD is read least significant byte first
// from at most four bytes, and shown unsigned.
std::u16string TextOf(std::uint32_t type, const unsigned char* data, std::uint32_t length) {
  switch (type) {
    case registry::kTypeSz:
      return FromAnsi(std::string_view(reinterpret_cast<const char*>(data), length));
    case registry::kTypeDword: {
      std::uint32_t number = 0;
      for (std::uint32_t i = std::min<std::uint32_t>(length, 4); i-- > 0;) {
        number = (number << 8) | data[i];
      }
      return DecimalText(number);
    }
    default:
      return {};
  }
}

}  // namespace

bool GetValue(registry::Key root, std::u16string_view path, std::u16string_view name,
              std::u16string& value) {
  registry::Key key = 0;
  KeyCloser closer(key);
  try {
    registry::OpenKey(root, ToAnsi(path), 0, registry::kReadAccess, &key);
    std::array<unsigned char, kReadBufferSize> buffer{};
    std::uint32_t length = kReadBufferSize;
    std::uint32_t type = registry::kTypeNone;
    registry::QueryValue(key, ToAnsi(name), &type, buffer.data(), &length);
    // Empty data, or data that did not fit: nothing was read.
    if (length == 0 || length > kReadBufferSize)
      return false;
    // Text reads the same whether or not it was stored with its terminating NUL.
    if (buffer[length - 1] == 0)
      --length;
    value = TextOf(type, buffer.data(), length);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool SetValue(registry::Key root, std::u16string_view path, std::u16string_view name,
              std::u16string_view text) {
  if (text.empty()) {
    DeleteValue(root, path, name);
    return false;
  }
  registry::Key key = 0;
  KeyCloser closer(key);
  try {
    const registry::SecurityAttributes security{nullptr, true};
    std::uint32_t disposition = 0;
    CheckResult(registry::CreateKey(root, ToAnsi(path), 0, kCreatedKeyClass, 0,
                                    registry::kAllAccess, &security, &key, &disposition));
    const std::string data = ToAnsi(text);
    CheckResult(registry::SetValue(key, ToAnsi(name), 0, registry::kTypeSz,
                                   reinterpret_cast<const unsigned char*>(data.data()),
                                   static_cast<std::uint32_t>(data.size())));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void DeleteValue(registry::Key root, std::u16string_view path, std::u16string_view name) {
  registry::Key key = 0;
  KeyCloser closer(key);
  try {
    registry::OpenKey(root, ToAnsi(path), 0, registry::kAllAccess, &key);
    registry::DeleteValue(key, ToAnsi(name));
  } catch (const std::exception&) {
    // Deletions never report.
  }
}

void CheckResult(registry::Status code) {
  if (code == registry::kSuccess)
    return;
  const std::u16string_view message =
      IsChinese ? u"無法操作自動登入!\r\n可能是使用者沒有系統管理權限."
                : u"Cannot operate Auto Logon!\r\nMaybe the user not administrators.";
  Platform& platform = CurrentPlatform();
  platform.ShowMessageBox(message, kAppTitle, kMessageError);
  platform.EndProcess();
}

bool SaveAutoLogon(std::u16string_view flag, std::u16string_view user, std::u16string_view password,
                   std::u16string_view domain) {
  using registry::kLocalMachine;
  SetValue(kLocalMachine, kWinlogonKey, kAutoAdminLogonValue, flag);
  SetValue(kLocalMachine, kWinlogonKey, kDefaultUserNameValue, user);
  if (flag == u"1") {
    SetValue(kLocalMachine, kWinlogonKey, kDefaultPasswordValue, password);
    SetValue(kLocalMachine, kRunKey, kQuendaValue,
             RunCommandFor(CurrentPlatform().ExecutableDirectory()));
  } else {
    DeleteValue(kLocalMachine, kWinlogonKey, kDefaultPasswordValue);
    DeleteValue(kLocalMachine, kRunKey, kQuendaValue);
  }
  SetValue(kLocalMachine, kWinlogonKey, kDefaultDomainNameValue, domain);
  return true;
}

std::u16string RunCommandFor(std::u16string_view directory) {
  std::u16string command(directory);
  if (command.empty() || command.back() != u'\\')
    command += u'\\';
  command += u"Quenda.exe";
  // Unquoted, a path with a blank would let Windows try "C:\Program.exe" first at every logon.
  if (command.find_first_of(u" \t") != std::u16string::npos)
    command = u'"' + command + u'"';
  return command;
}

}  // namespace quenda
