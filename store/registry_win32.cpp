// The registry boundary on Windows: the advapi32 ANSI entry points, nothing more.
#include <windows.h>

#include "registry.h"

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

}  // namespace

Status OpenKey(Key root, const std::string& subKey, std::uint32_t options, std::uint32_t access,
               Key* result) {
  HKEY opened = ToHkey(*result);
  const LONG status = RegOpenKeyExA(ToHkey(root), subKey.c_str(), options, access, &opened);
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
  const LONG status =
      RegCreateKeyExA(ToHkey(root), subKey.c_str(), reserved, const_cast<char*>(className), options,
                      access, security ? &attributes : nullptr, &created, &createdOrOpened);
  if (status == ERROR_SUCCESS) {
    *result = FromHkey(created);
    if (disposition)
      *disposition = createdOrOpened;
  }
  return status;
}

Status QueryValue(Key key, const std::string& name, std::uint32_t* type, unsigned char* data,
                  std::uint32_t* length) {
  DWORD valueType = type ? *type : 0;
  DWORD size = length ? *length : 0;
  const LONG status = RegQueryValueExA(ToHkey(key), name.c_str(), nullptr,
                                       type ? &valueType : nullptr, data, length ? &size : nullptr);
  if (type)
    *type = valueType;
  if (length)
    *length = size;
  return status;
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
