// Scratch clean-up and code page choice on the substitute.
#include "ansi_text_iconv.h"
#include "raw_registry.h"
#include "registry_memory.h"

namespace quenda::testing {

void ClearScratch() {
  registry::memory::Reset();
}

bool UseDoubleByteCodePage() {
  return SetAnsiCodePage("CP950");
}

void RestoreCodePage() {
  SetAnsiCodePage("WINDOWS-1252");
}

}  // namespace quenda::testing
