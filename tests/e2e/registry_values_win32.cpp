// Registry access for the end-to-end driver, through the W entry points of advapi32.
#include <windows.h>

#include <algorithm>

#include "registry_values_win32.h"

namespace quenda::e2e {

namespace {

// Type and bytes of a value; false when the key or the value is missing.
bool Query(const ValueLocation& where, DWORD& type, std::vector<unsigned char>& data) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(where.root, where.path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return false;
  DWORD size = 0;
  LSTATUS status = RegQueryValueExW(key, where.name.c_str(), nullptr, &type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    data.resize(size);
    status = RegQueryValueExW(key, where.name.c_str(), nullptr, &type, data.data(), &size);
    data.resize(size);
  }
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

void Store(const ValueLocation& where, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(where.root, where.path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExW(key, where.name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

}  // namespace

RootKey LocalMachine() {
  return HKEY_LOCAL_MACHINE;
}
RootKey CurrentUser() {
  return HKEY_CURRENT_USER;
}

std::optional<std::wstring> ReadText(const ValueLocation& where) {
  DWORD type = 0;
  std::vector<unsigned char> data;
  if (!Query(where, type, data) || type != REG_SZ)
    return std::nullopt;
  std::wstring text(data.size() / sizeof(wchar_t), L'\0');
  std::copy(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(text.size() * sizeof(wchar_t)),
            reinterpret_cast<unsigned char*>(text.data()));
  // Data stored with a terminating NUL reads the same as data stored without one.
  if (!text.empty() && text.back() == L'\0')
    text.pop_back();
  return text;
}

void WriteText(const ValueLocation& where, std::wstring_view text) {
  Store(where, REG_SZ, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

void WriteNumber(const ValueLocation& where, std::uint32_t number) {
  const DWORD value = number;
  Store(where, REG_DWORD, &value, sizeof(value));
}

void Delete(const ValueLocation& where) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(where.root, where.path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
    return;
  RegDeleteValueW(key, where.name.c_str());
  RegCloseKey(key);
}

RegistrySnapshot::RegistrySnapshot(std::vector<ValueLocation> locations) {
  for (ValueLocation& where : locations) {
    Saved saved{std::move(where), false, 0, {}};
    DWORD type = 0;
    saved.existed = Query(saved.where, type, saved.data);
    saved.type = type;
    saved_.push_back(std::move(saved));
  }
}

RegistrySnapshot::~RegistrySnapshot() {
  for (const Saved& saved : saved_) {
    if (saved.existed)
      Store(saved.where, saved.type, saved.data.data(), static_cast<DWORD>(saved.data.size()));
    else
      Delete(saved.where);
  }
}

}  // namespace quenda::e2e
