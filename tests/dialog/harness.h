// One run of the dialog over the substitute registry and the headless services.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ansi_text_iconv.h"
#include "locations.h"
#include "registry_memory.h"
#include "secret_memory.h"
#include "services_headless.h"
#include "texts.h"

namespace quenda::testing {

namespace memory = registry::memory;
using Registry = std::map<std::u16string, memory::StoredValue>;
using enum ControlId;

// Full names of the values the apply writes, as the substitute's snapshot keys them.
inline const std::u16string kLogon =
    u"HKLM\\software\\microsoft\\windows nt\\currentversion\\winlogon\\";
inline const std::u16string kRunEntry =
    u"HKLM\\software\\microsoft\\windows\\currentversion\\run\\quenda";

// A store holding the computer name "PC" and, when given, the user's locale.
class Harness {
 public:
  explicit Harness(const char* locale = nullptr) {
    memory::Reset();
    secret::memory::Reset();
    SetAnsiCodePage("WINDOWS-1252");
    services.Attach(form);
    Put(kComputerNameKey, kComputerNameValue, "PC");
    if (locale)
      Put(kInternationalKey, kLocaleValue, locale, registry::kTypeSz, registry::kCurrentUser);
  }

  // Stores a value the way other programs usually do: a text with its terminating NUL.
  static void Put(std::u16string_view path, std::u16string_view name, std::string data,
                  std::uint32_t type = registry::kTypeSz,
                  registry::Key root = registry::kLocalMachine) {
    memory::PutValue(root, path, name, type, type == registry::kTypeSz ? data + '\0' : data);
  }

  // Stores alice (or `user`, through the wide API) / pw / HOME and the two flags (nullptr: absent).
  void Store(const char* autoAdminLogon, const char* quendaFlag,
             std::u16string_view user = u"alice") {
    if (autoAdminLogon)
      Put(kWinlogonKey, kAutoAdminLogonValue, autoAdminLogon);
    if (quendaFlag)
      Put(kWinlogonKey, kQuendaValue, quendaFlag);
    memory::PutText(registry::kLocalMachine, kWinlogonKey, kDefaultUserNameValue, user);
    Put(kWinlogonKey, kDefaultPasswordValue, "pw");
    Put(kWinlogonKey, kDefaultDomainNameValue, "HOME");
  }
  void StartWith(const char* autoAdminLogon, const char* quendaFlag,
                 std::u16string_view user = u"alice") {
    Store(autoAdminLogon, quendaFlag, user);
    form.Load();
  }
  // Applies by the countdown or by OK; returns the exit code, or -1 when the process did not end.
  int Apply(bool byCountdown) {
    try {
      byCountdown ? services.Advance(5000) : services.Click(Command1);
    } catch (const ProcessEnded& ended) {
      return ended.exitCode;
    }
    return -1;
  }

  // The mode table: the countdown, the credential group and Check1 follow Check2.
  void ExpectMode(bool automatic) const {
    EXPECT_EQ(form[Check2].value, automatic ? 1 : 0);
    EXPECT_EQ(services.countdownRunning, automatic);
    EXPECT_EQ(form[Check1].enabled, !automatic);
    for (ControlId id : kCredentialGroup)
      EXPECT_EQ(form[id].enabled, !automatic) << static_cast<int>(id);
  }

  const Control& operator[](ControlId id) const { return form[id]; }

  HeadlessServices services;
  quenda::Form1 form{services, services};
};

}  // namespace quenda::testing
