// Formatting the stored configuration for the command line.
#include "status_report.h"

#include "control_characters.h"
#include "texts.h"

namespace quenda {
namespace {

// `text` with each control character written out ("\r", "\n", "\t", "\x01"), so that a stored
// name cannot print a line of its own. A backslash stays as it is: paths are full of them.
std::u16string Visible(std::u16string_view text) {
  std::u16string shown;
  for (const char16_t c : text) {
    if (!IsControlCharacter(c)) {
      shown.push_back(c);
      continue;
    }
    shown.push_back(u'\\');
    if (c == u'\r' || c == u'\n' || c == u'\t') {
      shown.push_back(c == u'\r' ? u'r' : c == u'\n' ? u'n' : u't');
      continue;
    }
    constexpr char16_t kDigits[] = u"0123456789abcdef";
    shown.append({u'x', kDigits[c >> 4], kDigits[c & 0xF]});
  }
  return shown;
}

}  // namespace

std::u16string StatusReport(const StoredSettings& stored, PasswordLocation password) {
  std::u16string report;
  const auto line = [&report](const Bilingual& label, std::u16string_view value) {
    report.append(label()).append(u":");
    if (!value.empty())
      report.append(u" ").append(Visible(value));
    report.append(u"\r\n");
  };
  line(status_text::kMachineName, stored.computerName);
  line(status_text::kAutoLogon, OnOffText(stored.autoLogon));
  line(status_text::kUserName, stored.user.text);
  line(status_text::kDomainName, stored.domain.text);
  line(status_text::kPasswordStored, PasswordLocationText(password));
  line(status_text::kAutomatically, OnOffText(stored.automatic));
  line(status_text::kRunEntry, stored.runCommand);
  return report;
}

}  // namespace quenda
