// The registry routines and the fixed write order of one automatic-logon configuration.
#include "registrys.h"

#include <algorithm>
#include <array>

#include "ansi_text.h"
#include "locations.h"

namespace quenda {
namespace {

// The largest value GetValue reads; longer data reads as "nothing read".
constexpr std::uint32_t kReadBufferSize = kMaxReadableBytes;

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

// What a query that answered `status` with `type` and `length` found.
ValueState StateOf(registry::Status status, std::uint32_t type, std::uint32_t length) {
  switch (status) {
    case registry::kSuccess:
      return type == registry::kTypeSz || type == registry::kTypeDword ? ValueState::Shown
                                                                       : ValueState::OtherType;
    case registry::kNoUnicodeTranslation:
      return ValueState::Unrepresentable;
    case registry::kMoreData:
      return length > kReadBufferSize ? ValueState::TooLong : ValueState::Unreadable;
    case registry::kFileNotFound:
      return ValueState::Missing;
    default:
      return ValueState::Unreadable;
  }
}

}  // namespace

bool GetValue(registry::Key root, std::u16string_view path, std::u16string_view name,
              std::u16string& value, ValueState* state) {
  registry::Key key = 0;
  KeyCloser closer(key);
  const registry::Status opened =
      registry::OpenKey(root, ToAnsi(path), 0, registry::kReadAccess, &key);
  std::array<unsigned char, kReadBufferSize> buffer{};
  std::uint32_t length = kReadBufferSize;
  std::uint32_t type = registry::kTypeNone;
  // Without a key the query fails on the null handle and changes nothing.
  const registry::Status queried =
      registry::QueryValue(key, ToAnsi(name), &type, buffer.data(), &length);
  if (state)
    *state = StateOf(opened != registry::kSuccess ? opened : queried, type, length);
  // Empty data, or data that did not fit: nothing was read.
  if (length == 0 || length > kReadBufferSize)
    return false;
  // Text reads the same whether or not it was stored with its terminating NUL.
  if (buffer[length - 1] == 0)
    --length;
  value = TextOf(type, buffer.data(), length);
  return true;
}

registry::Status SetValue(registry::Key root, std::u16string_view path, std::u16string_view name,
                          std::u16string_view text) {
  if (text.empty())
    return DeleteValue(root, path, name);
  if (!FitsAnsi(text))
    return registry::kNoUnicodeTranslation;
  registry::Key key = 0;
  KeyCloser closer(key);
  const registry::SecurityAttributes security{nullptr, true};
  std::uint32_t disposition = 0;
  if (const registry::Status status =
          registry::CreateKey(root, ToAnsi(path), 0, kCreatedKeyClass, 0, registry::kAllAccess,
                              &security, &key, &disposition)) {
    return status;
  }
  const std::string data = ToAnsi(text);
  return registry::SetValue(key, ToAnsi(name), 0, registry::kTypeSz,
                            reinterpret_cast<const unsigned char*>(data.data()),
                            static_cast<std::uint32_t>(data.size()));
}

registry::Status DeleteValue(registry::Key root, std::u16string_view path,
                             std::u16string_view name) {
  registry::Key key = 0;
  KeyCloser closer(key);
  registry::Status status = registry::OpenKey(root, ToAnsi(path), 0, registry::kAllAccess, &key);
  if (status == registry::kSuccess)
    status = registry::DeleteValue(key, ToAnsi(name));
  // A value that is not there, under a key that may not be there either, is deleted already.
  return status == registry::kFileNotFound ? registry::kSuccess : status;
}

registry::Status CheckWriteAccess(bool autoLogon) {
  for (std::u16string_view path : {kWinlogonKey, kRunKey}) {
    registry::Key key = 0;
    KeyCloser closer(key);
    const registry::SecurityAttributes security{nullptr, true};
    const bool mayCreate = autoLogon || path == kWinlogonKey;
    const registry::Status status =
        mayCreate ? registry::CreateKey(registry::kLocalMachine, ToAnsi(path), 0, kCreatedKeyClass,
                                        0, registry::kAllAccess, &security, &key, nullptr)
                  : registry::OpenKey(registry::kLocalMachine, ToAnsi(path), 0,
                                      registry::kAllAccess, &key);
    // Nothing to delete from a Run key that is not there.
    if (status != registry::kSuccess && !(status == registry::kFileNotFound && !mayCreate))
      return status;
  }
  return registry::kSuccess;
}

registry::Status SaveAutoLogon(std::u16string_view flag, TextToWrite user, TextToWrite password,
                               TextToWrite domain, std::u16string_view runCommand) {
  using registry::kLocalMachine;
  // Each step is one write; a nullopt text leaves its value as stored.
  const auto set = [](std::u16string_view path, std::u16string_view name, TextToWrite text) {
    return text ? SetValue(kLocalMachine, path, name, *text) : registry::kSuccess;
  };
  const bool on = flag == u"1";
  // Each step runs only while every step before it succeeded.
  registry::Status status = set(kWinlogonKey, kAutoAdminLogonValue, flag);
  if (status == registry::kSuccess)
    status = set(kWinlogonKey, kDefaultUserNameValue, user);
  if (status == registry::kSuccess) {
    status = on ? set(kWinlogonKey, kDefaultPasswordValue, password)
                : DeleteValue(kLocalMachine, kWinlogonKey, kDefaultPasswordValue);
  }
  if (status == registry::kSuccess) {
    status = on ? set(kRunKey, kQuendaValue, runCommand)
                : DeleteValue(kLocalMachine, kRunKey, kQuendaValue);
  }
  if (status == registry::kSuccess)
    status = set(kWinlogonKey, kDefaultDomainNameValue, domain);
  return status;
}

}  // namespace quenda
