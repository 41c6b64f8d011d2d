// The maker's contact texts shown in the information panel, and the web addresses they lead to.
#pragma once

#include <string_view>

namespace quenda {

// The maker's web site. The first line of both contact texts and Image1's tooltip.
inline constexpr std::u16string_view kMakerSiteAddress = u"https://www.corvane.example/";

// The product's page, opened by a click on the logo.
inline constexpr std::u16string_view kProductPageAddress = u"https://www.corvane.example/quenda/";

// Nine lines each, every line ended by CR LF, the last one included. Both begin with "h": the
// information panel loads the readme only while its text begins with that letter.
extern const std::u16string_view kEnglishContactText;  // designed into Text1
extern const std::u16string_view kChineseContactText;  // designed into the hidden Text5

}  // namespace quenda
