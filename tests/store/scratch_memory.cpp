// Scratch clean-up, wide text and code page choice on the substitute.
#include "ansi_text.h"
#include "ansi_text_iconv.h"
#include "raw_registry.h"
#include "registry_memory.h"

namespace quenda::testing {

void ClearScratch() {
  registry::memory::Reset();
}

void WriteWideText(registry::Key root, const std::string& path, const std::string& name,
                   std::u16string_view text) {
  registry::memory::PutText(root, FromAnsi(path), FromAnsi(name), text);
}

bool UseDoubleByteCodePage() {
  return SetAnsiCodePage("CP950");
}

void RestoreCodePage() {
  SetAnsiCodePage("WINDOWS-1252");
}

}  // namespace quenda::testing
