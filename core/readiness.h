// The readiness report: whether Windows will log on by itself with what is stored, and what stands
// in its way. Writing the Winlogon values is half the job; other values decide whether Windows
// acts on them.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "texts.h"

namespace quenda {

// One thing the report found about one registry value under HKEY_LOCAL_MACHINE.
struct Finding {
  FindingTopic topic = FindingTopic::AutoLogonOff;
  std::u16string_view key;   // one of the keys in locations.h
  std::u16string_view name;  // the value's name
  // A blocker: Windows will not log on by itself. Otherwise a warning.
  bool Blocker() const { return topic < FindingTopic::CountLeft; }
};

// The value's full path: "HKLM\SOFTWARE\...\Winlogon\AutoLogonCount".
std::u16string ValuePath(const Finding& finding);

struct Readiness {
  // One per check at most.
  std::array<Finding, 15> found{};
  std::size_t count = 0;
  // Some value the report needs may not be read (access denied): it may miss a finding.
  bool unreadable = false;

  std::span<const Finding> Findings() const { return {found.data(), count}; }
  bool Ready() const;  // no blocker
};

// Reads every value the report needs, in the 64-bit view that Windows reads, and the automatic-
// logon values of the 32-bit view only to compare them.
// - Blockers: "AutoAdminLogon" not on (IsOn); "DefaultUserName" empty; no password: an empty
//   "DefaultPassword" while `protectedPasswordStored` is false; "AutoLogonCount" 0 (a number or
//   its text); a logon banner ("LegalNoticeCaption" or "LegalNoticeText" not empty, under
//   Policies\System or Winlogon); "DevicePasswordLessBuildVersion" 2.
// - Warnings: "AutoLogonCount" above 0; a value of the 32-bit view's Winlogon key that exists and
//   differs from the 64-bit one; the program's "Automatically" flag on while "EnableLUA" is 1.
// "Empty" is StoredText::Empty: a value of another type or length still holds something.
Readiness ReadReadiness(bool protectedPasswordStored);

// One line per finding, blockers first, each ended by CR LF, in the language IsChinese selects:
// "[Blocker] HKLM\...\AutoLogonCount: AutoLogonCount is 0: ...". Empty when nothing was found.
// `spaced`: an empty line between findings, which a message box wraps over several lines.
std::u16string FindingLines(const Readiness& readiness, bool spaced = false);

}  // namespace quenda
