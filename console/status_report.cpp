// Formatting the stored configuration for the command line.
#include "status_report.h"

#include "texts.h"

namespace quenda {

std::u16string StatusReport(const StoredSettings& stored, PasswordLocation password) {
  std::u16string report;
  const auto line = [&report](StatusItem item, std::u16string_view value) {
    report.append(StatusLabel(item)).append(u":");
    if (!value.empty())
      report.append(u" ").append(value);
    report.append(u"\r\n");
  };
  line(StatusItem::MachineName, stored.computerName);
  line(StatusItem::AutoLogon, OnOffText(stored.autoLogon));
  line(StatusItem::UserName, stored.user.text);
  line(StatusItem::DomainName, stored.domain.text);
  line(StatusItem::PasswordStored, PasswordLocationText(password));
  line(StatusItem::Automatically, OnOffText(stored.automatic));
  line(StatusItem::RunEntry, stored.runCommand);
  return report;
}

}  // namespace quenda
