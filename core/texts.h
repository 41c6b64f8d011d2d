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

// A text in both languages. Every message is one, called like a function for the variant in use:
// `MismatchMessage()`.
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
inline constexpr Bilingual MismatchMessage{u"Not Confirmed password, please keyin again.",
                                           u"兩次輸入的密碼不一樣, 請再輸入一次."};
// A registry write failed: two lines joined by CR LF.
inline constexpr Bilingual FailureMessage{
    u"Cannot operate Auto Logon!\r\nMaybe the user not administrators.",
    u"無法操作自動登入!\r\n可能是使用者沒有系統管理權限."};
// A typed text holds characters the system's code page cannot store.
inline constexpr Bilingual UnrepresentableMessage{
    u"The text you typed has characters this system's code page cannot store. "
    u"Please use other characters.",
    u"輸入的文字含有本系統字碼頁無法儲存的字元, 請改用其他字元."};
// A typed text is too long to be read back once stored.
inline constexpr Bilingual TooLongMessage{
    u"The text you typed is too long to be read back once stored. "
    u"Please use a shorter one.",
    u"輸入的文字太長, 儲存之後無法完整讀回, 請改用較短的文字."};
// Some of the stored settings may not be read (access denied).
inline constexpr Bilingual UnreadableMessage{
    u"The automatic logon settings cannot be read: access is denied. "
    u"Run as an administrator.",
    u"無法讀取自動登入的設定: 存取被拒. 請以系統管理員身分執行."};
// No Run entry that starts the program from `folder` can be written: the code page cannot name
// the folder, and the volume keeps no short name for it.
std::u16string RunEntryMessage(std::u16string_view folder);
// The readme file beside the executable, without the separator: "readme.txt".
inline constexpr Bilingual ReadmeFileName{u"readme.txt", u"readmetw.txt"};

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
extern const Bilingual ConsoleUsage;

// The labels of the status report's lines, in the order it prints them.
namespace status_text {
inline constexpr Bilingual kMachineName{u"Machine name", u"電腦名稱"};
inline constexpr Bilingual kAutoLogon{u"Automatic logon", u"自動登入"};
inline constexpr Bilingual kUserName{u"User name", u"使用者名稱"};
inline constexpr Bilingual kDomainName{u"Domain name", u"網域名稱"};
inline constexpr Bilingual kPasswordStored{u"Password stored", u"已儲存密碼"};
inline constexpr Bilingual kAutomatically{u"Automatically", u"程式自動操作"};
inline constexpr Bilingual kRunEntry{u"Run entry", u"登入時執行"};
}  // namespace status_text
std::u16string_view OnOffText(bool on);

// The prompts for the password and its confirmation when standard input is a console.
inline constexpr Bilingual PasswordPrompt{u"Password: ", u"密碼: "};
inline constexpr Bilingual ConfirmationPrompt{u"re-Password: ", u"確認密碼: "};

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
  AutomaticUnderUac
};
std::u16string_view FindingText(FindingTopic topic);
// "Blocker" or "Warning".
std::u16string_view FindingKindLabel(bool blocker);

// Why Windows refuses the credentials (`check` one of the refusing answers), as one sentence.
std::u16string LogonRefusedMessage(LogonCheck check);
// Added to LogonRefusedMessage by the dialog: a line asking whether to save all the same.
inline constexpr Bilingual SaveAnywayQuestion{u"\r\nSave anyway?", u"\r\n仍要儲存嗎?"};
// Added to LogonRefusedMessage by the command line: nothing written, and how to save anyway.
inline constexpr Bilingual NoCheckHint{
    u"\r\nNothing was written. /nocheck saves without trying the logon.",
    u"\r\n未寫入任何設定. 加上 /nocheck 則不嘗試登入, 直接儲存."};
// ==== The protected password and the re-apply ====

// The value of the status report's "Password stored" line: where the password is kept.
std::u16string_view PasswordLocationText(PasswordLocation location);
// "quenda /reapply" when "Automatically" is off: nothing was changed.
inline constexpr Bilingual ReapplyOffMessage{u"\"Automatically\" is off: nothing was changed.\r\n",
                                             u"\"程式自動操作\" 未開啟, 沒有變更任何設定.\r\n"};
// ==== Input the command line refuses, and applies kept apart ====

// Standard input of /enable holds no line at all.
inline constexpr Bilingual NoPasswordLineMessage{
    u"Standard input holds no password line; a blank password is given as an "
    u"empty line. Nothing was written.",
    u"標準輸入中沒有密碼. 空白密碼請輸入一個空行. 未寫入任何設定."};
// The password line is longer than the command line reads.
inline constexpr Bilingual PasswordTooLongMessage{
    u"The password line is longer than 4096 bytes. Nothing was written.",
    u"密碼行超過 4096 位元組. 未寫入任何設定."};
// The password holds a NUL or another control character.
inline constexpr Bilingual PasswordControlCharacterMessage{
    u"The password holds a NUL or another control character. Nothing was "
    u"written.",
    u"密碼含有 NUL 或其他控制字元. 未寫入任何設定."};
// Another apply held the settings for longer than the save step waits (dialog and command line).
inline constexpr Bilingual SaveLockTimeoutMessage{
    u"Another apply is still writing the settings. Nothing was written.",
    u"另一個程式仍在寫入自動登入設定. 未寫入任何設定."};

}  // namespace quenda
