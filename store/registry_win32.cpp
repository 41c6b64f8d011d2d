// The registry boundary on Windows: advapi32, through its ANSI entry points except where a text is
// read (see QueryValue).
#include <windows.h>

#include <cstring>

#include "ansi_text.h"
#include "registry_boundary.h"

namespace quenda::registry {
namespace {

// Predefined roots are 32-bit values that 64-bit Windows sign-extends (HKEY_LOCAL_MACHINE is
// 0xFFFFFFFF80000002 there); every other handle is passed through unchanged.
HKEY ToHkey(Key key) {
  if (key >= 0x80000000u && key <= 0x800000FFu) {
    const auto value32 = static_cast<LONG>(static_cast<DWORD>(key));
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(value32));
  }
  return reinterpret_cast<HKEY>(key);
}

Key FromHkey(HKEY key) {
  return reinterpret_cast<Key>(key);
}

// Every key is opened in the 64-bit view, the one Winlogon reads, also from a 32-bit build, which
// the registry would otherwise redirect to Wow6432Node. The 32-bit view is read by its own path.
REGSAM In64BitView(std::uint32_t access) {
  return access | KEY_WOW64_64KEY;
}

}  // namespace

Status OpenKey(Key root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
               Key* result) {
  HKEY opened = ToHkey(*result);
  const LONG status =
      RegOpenKeyExA(ToHkey(root), subKey.c_str(), options, In64BitView(access), &opened);
  if (status == ERROR_SUCCESS)
    *result = FromHkey(opened);
  return status;
}

Status CreateKey(Key root, const std::string& subKey, std::uint32_t reserved, const char* className,
                 std::uint32_t options, std::uint32_t access, const SecurityAttributes* security,
                 Key* result, std::uint32_t* disposition) {
  SECURITY_ATTRIBUTES attributes{};
  if (security) {
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = security->securityDescriptor;
    attributes.bInheritHandle = security->inheritHandle ? TRUE : FALSE;
  }
  HKEY created = ToHkey(*result);
  DWORD createdOrOpened = 0;
  const LONG status = RegCreateKeyExA(ToHkey(root), subKey.c_str(), reserved,
                                      const_cast<char*>(className), options, In64BitView(access),
                                      security ? &attributes : nullptr, &created, &createdOrOpened);
  if (status == ERROR_SUCCESS) {
    *result = FromHkey(created);
    if (disposition)
      *disposition = createdOrOpened;
  }
  return status;
}

// Texts are read through the wide entry point and converted here, with the same result as
// RegQueryValueExA for every text the code page can hold; unlike it, this knows when characters
// were lost, and says so with kNoUnicodeTranslation.
Status QueryValue(Key key, const std::string& name, std::uint32_t* type, unsigned char* data,
                  std::uint32_t* length) {
  const std::u16string wideName = FromAnsi(name);
  const auto* valueName = reinterpret_cast<const wchar_t*>(wideName.c_str());
  DWORD valueType = 0;
  DWORD size = 0;
  LONG status = RegQueryValueExW(ToHkey(key), valueName, nullptr, &valueType, nullptr, &size);
  if (status != ERROR_SUCCESS)
    return status;
  std::string bytes(size, '\0');
  status = RegQueryValueExW(ToHkey(key), valueName, nullptr, &valueType,
                            reinterpret_cast<BYTE*>(bytes.data()), &size);
  if (status != ERROR_SUCCESS)
    return status;
  bytes.resize(size);
  bool lost = false;
  if (valueType == REG_SZ || valueType == REG_EXPAND_SZ || valueType == REG_MULTI_SZ) {
    std::u16string text(bytes.size() / 2, u'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * 2);
    bytes = ToAnsi(text);
    lost = !FitsAnsi(text);
  }
  if (type)
    *type = valueType;
  if (length == nullptr)
    return ERROR_SUCCESS;
  const std::uint32_t capacity = *length;
  *length = static_cast<std::uint32_t>(bytes.size());
  if (data == nullptr)
    return ERROR_SUCCESS;
  if (bytes.size() > capacity)
    return ERROR_MORE_DATA;
  std::memcpy(data, bytes.data(), bytes.size());
  return lost ? kNoUnicodeTranslation : ERROR_SUCCESS;
}

Status SetValue(Key key, const std::string& name, std::uint32_t reserved, std::uint32_t type,
                const unsigned char* data, std::uint32_t length) {
  return RegSetValueExA(ToHkey(key), name.c_str(), reserved, type, data, length);
}

Status DeleteValue(Key key, const std::string& name) {
  return RegDeleteValueA(ToHkey(key), name.c_str());
}

Status CloseKey(Key key) {
  return RegCloseKey(ToHkey(key));
}

}  // namespace quenda::registry
