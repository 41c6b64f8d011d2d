// The protected password on Windows: the LSA private-data calls, as Windows documents them for
// the automatic-logon password.
#include <windows.h>
#include <ntsecapi.h>

#include <cstring>

#include "locations.h"
#include "secret_store.h"

namespace quenda::secret {
namespace {

// The longest text an LSA_UNICODE_STRING can count, in characters.
constexpr std::size_t kMaxCharacters = 0x7FFF;

LSA_UNICODE_STRING Counted(const char16_t* text, std::size_t length) {
  LSA_UNICODE_STRING counted;
  counted.Buffer = const_cast<PWSTR>(reinterpret_cast<const wchar_t*>(text));
  counted.Length = static_cast<USHORT>(length * sizeof(wchar_t));
  counted.MaximumLength = counted.Length;
  return counted;
}

// The local policy opened with `access`, closed when it goes out of scope.
class Policy {
 public:
  explicit Policy(ACCESS_MASK access) {
    LSA_OBJECT_ATTRIBUTES attributes{};  // unused by LsaOpenPolicy, zero as documented
    status_ = static_cast<Status>(
        LsaNtStatusToWinError(LsaOpenPolicy(nullptr, &attributes, access, &handle_)));
  }
  ~Policy() {
    if (status_ == kSuccess)
      LsaClose(handle_);
  }
  Policy(const Policy&) = delete;
  Policy& operator=(const Policy&) = delete;

  Status status() const { return status_; }
  LSA_HANDLE handle() const { return handle_; }

 private:
  LSA_HANDLE handle_ = nullptr;
  Status status_;
};

// The secret has the name of the registry value it stands in for.
LSA_UNICODE_STRING SecretName() {
  return Counted(kDefaultPasswordValue.data(), kDefaultPasswordValue.size());
}

}  // namespace

Status CheckStoreAccess() {
  return Policy(POLICY_CREATE_SECRET).status();
}

Status RetrieveSecret(std::u16string& password) {
  const Policy policy(POLICY_GET_PRIVATE_INFORMATION);
  if (policy.status() != kSuccess)
    return policy.status();
  LSA_UNICODE_STRING name = SecretName();
  PLSA_UNICODE_STRING data = nullptr;
  const auto status = static_cast<Status>(
      LsaNtStatusToWinError(LsaRetrievePrivateData(policy.handle(), &name, &data)));
  if (status != kSuccess)
    return status;
  std::size_t length = data ? data->Length / sizeof(wchar_t) : 0;
  if (length > 0 && data->Buffer[length - 1] == L'\0')
    --length;
  password.resize(length);
  if (data) {
    std::memcpy(password.data(), data->Buffer, length * sizeof(wchar_t));
    SecureZeroMemory(data->Buffer, data->Length);
    LsaFreeMemory(data);
  }
  return kSuccess;
}

Status StoreSecret(std::optional<std::u16string_view> password) {
  if (password && password->size() > kMaxCharacters)
    return ERROR_INVALID_PARAMETER;
  const Policy policy(POLICY_CREATE_SECRET);
  if (policy.status() != kSuccess)
    return policy.status();
  LSA_UNICODE_STRING name = SecretName();
  // A NULL data pointer deletes the secret. A zero-length value would not: the old password
  // would stay behind as the secret's previous value.
  LSA_UNICODE_STRING data{};
  if (password)
    data = Counted(password->data(), password->size());
  const auto status = static_cast<Status>(LsaNtStatusToWinError(
      LsaStorePrivateData(policy.handle(), &name, password ? &data : nullptr)));
  return !password && status == kNotFound ? kSuccess : status;
}

}  // namespace quenda::secret
