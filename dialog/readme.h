// The readme file's bytes as the information panel shows them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quenda {

// How much of a readme the panel shows: enough for any real readme, small enough that a huge or
// wrong file neither stalls the dialog nor takes memory without bound.
inline constexpr std::size_t kReadmeLimit = 64 * 1024;

// Every line of `bytes`, each followed by CR LF, the last one included. A line ends at CR or at
// CR LF; an LF without a CR before it stays in the line. Lines are decoded from the ANSI code
// page. A NUL byte shows as a blank, since the panel's text box would end the text there.
std::u16string ReadmeText(std::string_view bytes);

}  // namespace quenda
