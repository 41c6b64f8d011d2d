// Scratch clean-up and code page check on Windows, where the system owns the code page.
#include <windows.h>

#include "raw_registry.h"

namespace quenda::testing {

void ClearScratch() {
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quenda Tests");
}

bool UseDoubleByteCodePage() {
  return GetACP() == 950;
}

void RestoreCodePage() {}

}  // namespace quenda::testing
