// The dialog's two text sets, English and Traditional Chinese, and the rule that picks one.
#pragma once

#include <string_view>

namespace quenda {

class Form1;

// The locale rule: Chinese exactly when the last three characters of the user's "Locale" value
// (the whole text when shorter) are "404". Anything else, the empty text included, is English.
bool LocaleChoosesChinese(std::u16string_view locale);

// The face name the Chinese set gives its captions; sizes and weights stay as designed.
inline constexpr std::u16string_view kChineseFontName = u"新細明體";

// Applies the Chinese set (fonts first, then every row) or the English one (rows only, without
// the two rows that would replace Text1's designed contact text and tooltip).
void ApplyTextSet(Form1& form, bool chinese);

// Texts with two variants chosen when needed rather than at start-up.
std::u16string_view MismatchMessage(bool chinese);
std::u16string_view ReadmeFileName(bool chinese);  // without the separator: "readme.txt"

}  // namespace quenda
