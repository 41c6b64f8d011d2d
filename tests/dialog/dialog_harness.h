// One run of the dialog over the substitute registry, the headless toolkit and platform.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

#include "ansi_text_iconv.h"
#include "form1.h"
#include "language.h"
#include "locations.h"
#include "platform_headless.h"
#include "registry_memory.h"
#include "toolkit_headless.h"

namespace quenda::testing {

namespace memory = registry::memory;
using Registry = std::map<std::u16string, std::string>;

// Every text value in the registry as GetValue would read it (Windows may store a terminating
// NUL after a text written without one), keyed as the substitute's snapshot keys them.
inline Registry Contents() {
  Registry texts;
  for (const auto& [entry, value] : memory::Snapshot()) {
    std::string data = value.data;
    if (!data.empty() && data.back() == '\0')
      data.pop_back();
    texts[entry] = data;
  }
  return texts;
}

// The snapshot key of a value in the Winlogon key; "run" stands for the Run entry.
inline std::u16string Entry(std::u16string_view name) {
  if (name == u"run")
    return u"HKLM\\software\\microsoft\\windows\\currentversion\\run\\quenda";
  return u"HKLM\\software\\microsoft\\windows nt\\currentversion\\winlogon\\" +
         std::u16string(name);
}

inline std::string NameOf(const Control& control) {
  return std::string(control.name.begin(), control.name.end());
}

class Harness {
 public:
  Harness() {
    memory::Reset();
    SetAnsiCodePage("WINDOWS-1252");
    IsChinese = false;
    Put(registry::kLocalMachine, kComputerNameKey, kComputerNameValue, "PC");
  }

  void Put(registry::Key root, std::u16string_view path, std::u16string_view name,
           std::string text) {
    memory::PutValue(root, path, name, registry::kTypeSz, std::move(text));
  }
  void PutWinlogon(std::u16string_view name, std::string text) {
    Put(registry::kLocalMachine, kWinlogonKey, name, std::move(text));
  }
  void PutLocale(std::string locale) {
    Put(registry::kCurrentUser, kInternationalKey, kLocaleValue, std::move(locale));
  }

  // Form_Load, then the dialog is shown.
  void Start() {
    form.Load();
    toolkit.Show();
  }

  const Control& operator[](ControlId id) const { return form[id]; }

  HeadlessPlatform platform;
  HeadlessDialog dialog;
  HeadlessToolkit& toolkit = dialog.toolkit;
  Form1& form = dialog.form;
};

}  // namespace quenda::testing
