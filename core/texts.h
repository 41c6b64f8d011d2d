// Every text Quenda shows, in English and in Traditional Chinese, and the rule that picks one.
//
// The language is decided once at start-up from the user's locale and kept in IsChinese. The
// dialog applies its captions and tooltips as one text set (dialog/text_sets.cpp); every other
// text with two variants is chosen by IsChinese at the moment it is needed. Each literal is
// written here once.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "process_services.h"
#include "password_location.h"

namespace quenda {

// True when the Traditional Chinese texts are in use. False until start-up decides it from the
// user's locale; set once there and never changed afterwards.
inline bool IsChinese = false;

// The locale rule: Chinese exactly when the last three characters of the user's "Locale" value
// (the whole text when shorter) are "404". Anything else, the empty text included, is English.
bool LocaleChoosesChinese(std::u16string_view locale);

// The title of the dialog and of every message box.
inline constexpr std::u16string_view kAppTitle = u"Quenda";

// The face name the Chinese set gives its captions; sizes and weights stay as designed.
inline constexpr std::u16string_view kChineseFontName = u"新細明體";

// A text in both languages.
struct Bilingual {
  std::u16string_view english;
  std::u16string_view chinese;
  // The variant IsChinese selects.
  std::u16string_view operator()() const { return IsChinese ? chinese : english; }
};

// ---- The dialog's captions and tooltips ----
// The English variant is also the designed one, shown until start-up applies the text set.
namespace dialog_text {
extern const Bilingual kMachineName;        // Label1
extern const Bilingual kUserName;           // Label4
extern const Bilingual kPassword;           // Label5
extern const Bilingual kConfirmation;       // Label6
extern const Bilingual kDomainName;         // Label3
extern const Bilingual kStartingAutoLogon;  // Check1
extern const Bilingual kStartingAutoLogonTip;
extern const Bilingual kAutomatically;  // Check2
extern const Bilingual kAutomaticallyTip;
extern const Bilingual kOk;      // Command1 ("OK" as designed, "&OK" in the English set)
extern const Bilingual kCancel;  // Command2 (likewise)
extern const Bilingual kAbout;   // Command3
extern const Bilingual kMaker;   // Frame1
extern const Bilingual kUserNameTip;
extern const Bilingual kPasswordTip;
extern const Bilingual kPanelTip;  // Text1's tooltip; the Chinese one is designed into Text5

// Designed texts that no text set replaces, or that start-up overwrites before anyone sees them.
extern const std::u16string_view kDesignedOk;
extern const std::u16string_view kDesignedCancel;
extern const std::u16string_view kDesignedComputerName;  // Label2
extern const std::u16string_view kDesignedUserName;      // Text3
extern const std::u16string_view kDesignedPassword;      // Text4, Text6
extern const std::u16string_view kDesignedDomainName;    // Text2
extern const std::u16string_view kAdministratorsHint;    // Label9
extern const std::u16string_view kVersionCaption;        // Label8: "Ver. " and the version
}  // namespace dialog_text

// ---- Texts chosen by IsChinese when they are needed ----
// The password and its confirmation differ.
std::u16string_view MismatchMessage();
// A registry write failed: two lines joined by CR LF.
std::u16string_view FailureMessage();
// A typed text holds characters the system's code page cannot store.
std::u16string_view UnrepresentableMessage();
// A typed text is too long to be read back once stored.
std::u16string_view TooLongMessage();
// Some of the stored settings may not be read (access denied).
std::u16string_view UnreadableMessage();
// No Run entry that starts the program from `folder` can be written: the code page cannot name
// the folder, and the volume keeps no short name for it.
std::u16string RunEntryMessage(std::u16string_view folder);
// The readme file beside the executable, without the separator: "readme.txt".
std::u16string_view ReadmeFileName();

// ---- The information panel ----
// The maker's web site: the first line of both contact texts and the logo's tooltip.
inline constexpr std::u16string_view kMakerSiteAddress = u"https://www.corvane.example/";
// The product's page, opened by a click on the logo.
inline constexpr std::u16string_view kProductPageAddress = u"https://www.corvane.example/quenda/";
// Nine lines each, every line ended by CR LF. Both begin with "h": the information panel loads
// the readme only while its text begins with that letter.
extern const std::u16string_view kEnglishContactText;  // designed into Text1
extern const std::u16string_view kChineseContactText;  // designed into the hidden Text5

// ==== The console companion (quenda.com) ====
// Everything the command line prints, chosen by IsChinese like the dialog's messages. The failure
// and mismatch messages above are shared with the dialog. Lines end with CR LF.

// The help: printed on standard output for /?, on standard error after a usage error.
std::u16string_view ConsoleUsage();

// The lines of the status report, in the order it prints them.
enum class StatusItem : std::uint8_t {
  MachineName,
  AutoLogon,
  UserName,
  DomainName,
  PasswordStored,
  Automatically,
  RunEntry,
};
std::u16string_view StatusLabel(StatusItem item);
std::u16string_view OnOffText(bool on);

// The prompts for the password and its confirmation when standard input is a console.
std::u16string_view PasswordPrompt();
std::u16string_view ConfirmationPrompt();

// ==== Whether Windows will act on the automatic logon ====
// The readiness report's findings, in one table of both languages; each text names its value,
// untranslated. The blockers come first: every topic from CountLeft on is a warning.
enum class FindingTopic : std::uint8_t {
  AutoLogonOff,
  NoUserName,
  NoPassword,
  CountZero,
  Banner,
  PasswordLessOnly,
  CountLeft,
  Differs32Bit,
  AutomaticUnderUac,
};
std::u16string_view FindingText(FindingTopic topic);
// "Blocker" or "Warning".
std::u16string_view FindingKindLabel(bool blocker);

// Why Windows refuses the credentials (`check` one of the refusing answers), as one sentence.
std::u16string LogonRefusedMessage(LogonCheck check);
// Added to LogonRefusedMessage by the dialog: a line asking whether to save all the same.
std::u16string_view SaveAnywayQuestion();
// Added to LogonRefusedMessage by the command line: nothing written, and how to save anyway.
std::u16string_view NoCheckHint();
// ==== The protected password and the re-apply ====

// The value of the status report's "Password stored" line: where the password is kept.
std::u16string_view PasswordLocationText(PasswordLocation location);
// "quenda /reapply" when "Automatically" is off: nothing was changed.
std::u16string_view ReapplyOffMessage();
// ==== Input the command line refuses, and applies kept apart ====

// Standard input of /enable holds no line at all.
std::u16string_view NoPasswordLineMessage();
// The password line is longer than the command line reads.
std::u16string_view PasswordTooLongMessage();
// The password holds a NUL or another control character.
std::u16string_view PasswordControlCharacterMessage();
// Another apply held the settings for longer than the save step waits (dialog and command line).
std::u16string_view SaveLockTimeoutMessage();

}  // namespace quenda
