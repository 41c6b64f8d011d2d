// Scratch clean-up, wide text and code page choice on the substitute.
#include "ansi_text.h"
#include "ansi_text_iconv.h"
#include "registry_memory.h"
#include "scratch.h"

namespace quenda::testing {

void ClearScratch() {
  registry::memory::Reset();
  SetAnsiCodePage("WINDOWS-1252");
}

void WriteWideText(const std::string& path, const std::string& name, std::u16string_view text) {
  registry::memory::PutText(registry::kCurrentUser, FromAnsi(path), FromAnsi(name), text);
}

bool UseDoubleByteCodePage() {
  return SetAnsiCodePage("CP950");
}

}  // namespace quenda::testing
