// Writing the status and the readiness report as JSON.
#include "status_json.h"

namespace quenda {

std::u16string JsonString(std::u16string_view text) {
  constexpr char16_t kHex[] = u"0123456789abcdef";
  std::u16string json(u"\"");
  for (const char16_t c : text) {
    if (c == u'"' || c == u'\\') {
      json.push_back(u'\\');
      json.push_back(c);
    } else if (c < 0x20 || c >= 0x7F) {
      json.append(u"\\u");
      for (int shift = 12; shift >= 0; shift -= 4)
        json.push_back(kHex[(c >> shift) & 0xF]);
    } else {
      json.push_back(c);
    }
  }
  json.push_back(u'"');
  return json;
}

std::u16string StatusJson(const StoredSettings& stored, std::u16string_view passwordStored,
                          const Readiness& readiness) {
  std::u16string json;
  const auto key = [&json](std::u16string_view name) {
    json.append(json.empty() ? u"{" : u",").append(JsonString(name)).append(u":");
  };
  const auto flag = [&](std::u16string_view name, bool on) {
    key(name);
    json.append(on ? u"true" : u"false");
  };
  const auto text = [&](std::u16string_view name, std::u16string_view value) {
    key(name);
    json.append(JsonString(value));
  };
  text(u"computerName", stored.computerName);
  flag(u"autoLogon", stored.autoLogon);
  text(u"userName", stored.user.text);
  text(u"domainName", stored.domain.text);
  flag(u"automatic", stored.automatic);
  if (stored.runCommand.empty()) {
    key(u"runEntry");
    json.append(u"null");
  } else {
    text(u"runEntry", stored.runCommand);
  }
  text(u"passwordStored", passwordStored);
  flag(u"ready", readiness.Ready());
  for (const bool blockers : {true, false}) {
    key(blockers ? u"blockers" : u"warnings");
    char16_t separator = u'[';
    for (const Finding& finding : readiness.Findings()) {
      if (finding.Blocker() != blockers)
        continue;
      json.push_back(separator);
      json.append(u"{\"value\":").append(JsonString(ValuePath(finding)));
      json.append(u",\"text\":").append(JsonString(FindingText(finding.topic))).append(u"}");
      separator = u',';
    }
    json.append(separator == u'[' ? u"[]" : u"]");
  }
  json.append(u"}\r\n");
  return json;
}

}  // namespace quenda
