// Scratch clean-up, wide text and code page check on Windows, where the system owns the code page.
#include <windows.h>

#include <string>

#include "raw_registry.h"

namespace quenda::testing {

void ClearScratch() {
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quenda Tests");
}

void WriteWideText(registry::Key root, const std::string& path, const std::string& name,
                   std::u16string_view text) {
  const std::u16string data(text);
  HKEY key = nullptr;
  const HKEY base = root == registry::kCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  if (RegCreateKeyExA(base, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
    return;
  const std::wstring wideName(name.begin(), name.end());  // the tests' names are ASCII
  RegSetValueExW(key, wideName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(char16_t)));
  RegCloseKey(key);
}

bool UseDoubleByteCodePage() {
  return GetACP() == 950;
}

void RestoreCodePage() {}

}  // namespace quenda::testing
