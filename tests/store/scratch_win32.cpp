// Scratch clean-up, wide text and code page check on Windows, where the system owns the code page.
#include <windows.h>

#include "scratch.h"

namespace quenda::testing {

void ClearScratch() {
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quenda Tests");
}

void WriteWideText(const std::string& path, const std::string& name, std::u16string_view text) {
  const std::wstring key(path.begin(), path.end()), value(name.begin(), name.end());  // ASCII
  const std::u16string data(text);
  RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), value.c_str(), REG_SZ, data.c_str(),
                  static_cast<DWORD>((data.size() + 1) * sizeof(char16_t)));
}

bool UseDoubleByteCodePage() {
  return GetACP() == 950;
}

}  // namespace quenda::testing
