// What the store tests do in each backend's own way, as these are not among the six operations of
// the registry boundary: clearing the scratch key, storing wide text, choosing the code page.
#pragma once

#include <string>
#include <string_view>

#include "registry_boundary.h"

namespace quenda::testing {

// Removes HKEY_CURRENT_USER\Software\Quenda Tests with everything below it, and undoes the switch
// of UseDoubleByteCodePage.
void ClearScratch();

// Stores `text` as REG_SZ with its NUL, as a program using the wide API does: characters the ANSI
// code page cannot hold are kept.
void WriteWideText(const std::string& path, const std::string& name, std::u16string_view text);

// Switches the ANSI code page to 950 (Big5) where a test may choose it (the substitute), or says
// whether the system uses it already (Windows, where Wine takes it from LC_ALL=zh_TW.UTF-8).
bool UseDoubleByteCodePage();

}  // namespace quenda::testing
