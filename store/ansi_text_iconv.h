// Host-only control of the ANSI code page that ansi_text_iconv.cpp converts with.
#pragma once

namespace quenda {

// Chooses the code page by its iconv name ("WINDOWS-1252", the default, or "CP950").
// Returns false, changing nothing, when iconv does not know the name.
bool SetAnsiCodePage(const char* iconvName);

}  // namespace quenda
