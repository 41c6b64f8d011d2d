// The English and Traditional Chinese texts of Quenda and the locale rule. The contact details
// are fictitious.
#include "texts.h"

#include "version.h"

#include <algorithm>

namespace quenda {

bool LocaleChoosesChinese(std::u16string_view locale) {
  constexpr std::u16string_view kTaiwanSuffix = u"404";
  const std::size_t length = std::min(locale.size(), kTaiwanSuffix.size());
  return locale.substr(locale.size() - length) == kTaiwanSuffix;
}

namespace dialog_text {
// Captions.
const Bilingual kMachineName{u"Machine Name", u"電腦名稱"};
const Bilingual kUserName{u"User Name", u"使用者名稱"};
const Bilingual kPassword{u"Password", u"密碼"};
const Bilingual kConfirmation{u"re-Password", u"確認密碼"};
const Bilingual kDomainName{u"Domain Name", u"網域名稱"};
const Bilingual kStartingAutoLogon{u"&Starting Auto Logon", u"啟動自動登入(&S)"};
const Bilingual kAutomatically{u"&Automatically", u"程式自動操作(&A)"};
const Bilingual kOk{u"&OK", u"確定(&O)"};
const Bilingual kCancel{u"&Cancel", u"取消(&C)"};
const Bilingual kAbout{u"About (&Help)", u"關於(&H)"};
const Bilingual kMaker{u"Corvane Corporation.", u"晨柏科技"};

// Tooltips.
const Bilingual kStartingAutoLogonTip{
    u"This is the Program Titles, Check this, and automatically Logon with the following user "
    u"informations.",
    u"這是本程式的標題功能, 您只要選取本項目, 就會以下列的使用者資訊自動幫您登入."};
const Bilingual kAutomaticallyTip{u"After 5 seconds the program automatically take effect.",
                                  u"五秒鐘之後程式自動操作."};
const Bilingual kUserNameTip{
    u"Make ture keyin a Managerial users,(like Administrator), DON'T try the lower level users, "
    u"cos you Cannot Stop the AutoLogon.",
    u"請用系統管理階層的使用者來自動登入,(例如:Administrator), "
    u"請勿嘗試用較低等級的使用者,可能會造成永遠的自動登入無法解除."};
const Bilingual kPasswordTip{
    u"Set user's password to blank is better for safly system. cos NT auto release after every "
    u"AutoLogon.",
    u"建議您盡可能的在使用者管理員設定使用者密碼為空的. 因為在這種情況, "
    u"AutoLogon之後NT會自己解除. 多增加了一層安全性."};
const Bilingual kPanelTip{
    u"Your keyin informations in here, NOT transfer out automatically from this local machine in "
    u"any kind methods ! Make mide easy.",
    u"您在本程式鍵入的任何資訊, 並不會以任何形式自動傳遞出本機電腦, "
    u"請安心使用, 如有任何問題歡迎洽詢, 謝謝 !"};

const std::u16string_view kDesignedOk = u"OK";
const std::u16string_view kDesignedCancel = u"Cancel";
const std::u16string_view kDesignedComputerName = u"UserName";
const std::u16string_view kDesignedUserName = u"Administrator";
const std::u16string_view kDesignedPassword = u"password";
const std::u16string_view kDesignedDomainName = u"WORKGROUP";
const std::u16string_view kAdministratorsHint = u"(Administrators)";
const std::u16string_view kVersionCaption = u"Ver. " QUENDA_VERSION;
}  // namespace dialog_text

std::u16string RunEntryMessage(std::u16string_view folder) {
  std::u16string message(IsChinese ? u"無法寫入在登入時從這個資料夾啟動 Quenda 的執行項目:\r\n"
                                   : u"Cannot write a Run entry that starts Quenda from the "
                                     u"folder\r\n");
  message.append(folder);
  message.append(IsChinese ? u"\r\n本系統的字碼頁無法表示這個資料夾的名稱, "
                             u"請將 Quenda 移到其他資料夾."
                           : u"\r\nThe system's code page cannot name it. Please move Quenda to "
                             u"another folder.");
  return message;
}

const std::u16string_view kEnglishContactText =
    u"https://www.corvane.example/\r\n"
    u"TEL : +886-2-5550-1234\r\n"
    u"FAX : +886-2-5550-1235\r\n"
    u"6F, No. 88, Sec. 2, Chenbai Road\r\n"
    u"Taipei, Taiwan\r\n"
    u"\r\n"
    u"Lin Hsiao-chen\r\n"
    u"email : support@corvane.example\r\n"
    u"Mobile : +886-955-500-123\r\n";

const std::u16string_view kChineseContactText =
    u"https://www.corvane.example/\r\n"
    u"TEL : (02)5550-1234\r\n"
    u"FAX : (02)5550-1235\r\n"
    u"臺北市中山區晨柏路二段88號6樓\r\n"
    u"\r\n"
    u"林曉晨\r\n"
    u"Lin Hsiao-chen\r\n"
    u"email : support@corvane.example\r\n"
    u"Mobile : 0955-500-123\r\n";

// ==== The console companion ====

const Bilingual ConsoleUsage{
    u"Quenda " QUENDA_VERSION
    u" - automatic logon from the command line; quenda.exe is the dialog.\r\n"
    u"\r\n"
    u"  quenda /status [/json]\r\n"
    u"      Shows the machine name and the stored settings, never the password, and\r\n"
    u"      what stops Windows from logging on by itself. /json: as one JSON object.\r\n"
    u"  quenda /check\r\n"
    u"      Lists what stops Windows from logging on by itself; exit code 3 if anything.\r\n"
    u"  quenda /enable /user:NAME [/domain:NAME] [/automatic] [/protect] [/nocheck]\r\n"
    u"      Turns the automatic logon on for NAME. The password is the first line of\r\n"
    u"      standard input; at a console it is asked for twice, without echo.\r\n"
    u"      Without /domain: the stored domain stays. /automatic: the program applies\r\n"
    u"      the settings again by itself at every logon. /protect: the password goes\r\n"
    u"      into the protected LSA secret \"DefaultPassword\" instead of the registry\r\n"
    u"      value, which every local user can read; where a protected password exists,\r\n"
    u"      it goes there without /protect too. The logon is tried before anything is\r\n"
    u"      written; /nocheck: it is not.\r\n"
    u"  quenda /disable\r\n"
    u"      Turns the automatic logon off and deletes the stored password; the user\r\n"
    u"      and domain names stay.\r\n"
    u"  quenda /reapply\r\n"
    u"      When \"Automatically\" is on, applies the stored settings again with the\r\n"
    u"      automatic logon on, as the program does by itself at every logon; otherwise\r\n"
    u"      changes nothing. For a logon task that runs as SYSTEM.\r\n"
    u"  quenda /?\r\n"
    u"      Shows this help.\r\n"
    u"\r\n"
    u"Switches are case-insensitive and may begin with \"-\" instead of \"/\".\r\n"
    u"Exit codes: 0 done (/check: ready), 1 not done (the message says why), 2 wrong\r\n"
    u"usage, 3 (/check) something stops the automatic logon.\r\n",
    u"Quenda " QUENDA_VERSION
    u" - 以命令列設定自動登入; quenda.exe 是對話方塊.\r\n"
    u"\r\n"
    u"  quenda /status [/json]\r\n"
    u"      顯示電腦名稱與已儲存的自動登入設定, 絕不顯示密碼, "
    u"以及妨礙自動登入的原因. /json: 以 JSON 輸出.\r\n"
    u"  quenda /check\r\n"
    u"      列出妨礙 Windows 自動登入的原因. 結束代碼: 0 可以自動登入, 3 不能.\r\n"
    u"  quenda /enable /user:名稱 [/domain:名稱] [/automatic] [/protect] [/nocheck]\r\n"
    u"      以該使用者啟動自動登入. 密碼取自標準輸入的第一行, "
    u"在主控台上則不顯示地詢問兩次.\r\n"
    u"      未指定 /domain: 時沿用已儲存的網域名稱. "
    u"/automatic: 每次登入時程式自動再套用一次設定.\r\n"
    u"      /protect: 將密碼存入受保護的 LSA 機密 \"DefaultPassword\", "
    u"而非一般使用者也能讀取的登錄值;\r\n"
    u"      已有受保護的密碼時, 不加 /protect 也存在那裡.\r\n"
    u"      儲存前先嘗試以該帳戶登入; /nocheck: 不嘗試.\r\n"
    u"  quenda /disable\r\n"
    u"      停止自動登入並刪除已儲存的密碼, 使用者名稱與網域名稱保留.\r\n"
    u"  quenda /reapply\r\n"
    u"      \"程式自動操作\" 開啟時, 照已儲存的設定再套用一次並啟動自動登入, "
    u"如同每次登入時程式自動操作;\r\n"
    u"      否則不做任何變更. 供以 SYSTEM 身分執行的登入排程工作使用.\r\n"
    u"  quenda /?\r\n"
    u"      顯示本說明.\r\n"
    u"\r\n"
    u"參數不分大小寫, 也可以用 \"-\" 開頭. "
    u"結束代碼: 0 完成, 1 未完成 (原因見訊息), 2 用法錯誤, 3 (/check) 不能自動登入.\r\n"};

std::u16string_view OnOffText(bool on) {
  if (IsChinese)
    return on ? u"開啟" : u"關閉";
  return on ? u"on" : u"off";
}

// ==== Whether Windows will act on the automatic logon ====

namespace {

// By FindingTopic.
const Bilingual kFindingTexts[] = {
    {u"AutoAdminLogon is not 1: the automatic logon is off.",
     u"AutoAdminLogon 不是 1: 自動登入是關閉的."},
    {u"DefaultUserName is empty: there is no user to log on.",
     u"DefaultUserName 是空的: 沒有要登入的使用者."},
    {u"DefaultPassword is empty: Windows turns the automatic logon off.",
     u"DefaultPassword 是空的: Windows 會關閉自動登入."},
    {u"AutoLogonCount is 0: Windows turns the automatic logon off at the next start.",
     u"AutoLogonCount 為 0: Windows 會在下次開機時關閉自動登入."},
    {u"A logon banner is set: Windows waits until someone confirms it.",
     u"已設定登入公告: Windows 會等到有人按下確定."},
    {u"DevicePasswordLessBuildVersion is 2: only Windows Hello sign-in is allowed.",
     u"DevicePasswordLessBuildVersion 為 2: 只允許 Windows Hello 登入."},
    {u"AutoLogonCount is above 0: the automatic logon stops after that many starts.",
     u"AutoLogonCount 大於 0: 自動登入會在這麼多次開機後停止."},
    {u"A 32-bit tool stored a different value here; Windows reads the 64-bit one.",
     u"32 位元工具在這裡儲存了不同的值; Windows 讀取的是 64 位元的值."},
    {u"EnableLUA is 1: at logon the Run entry cannot start Quenda elevated.",
     u"EnableLUA 為 1: 登入時執行項目無法以系統管理員權限啟動 Quenda."},
};

// By LogonCheck, from WrongCredentials to LogonTypeNotGranted.
const Bilingual kLogonRefusals[] = {
    {u"the user name or password is wrong.", u"使用者名稱或密碼錯誤."},
    {u"the account is disabled.", u"帳戶已停用."},
    {u"the account is locked out.", u"帳戶已被鎖定."},
    {u"the account has expired.", u"帳戶已過期."},
    {u"the password has expired.", u"密碼已過期."},
    {u"the password must be changed first.", u"必須先變更密碼."},
    {u"the account may not log on at this computer.", u"此帳戶不能在這部電腦上登入."},
};

}  // namespace

std::u16string_view FindingText(FindingTopic topic) {
  return kFindingTexts[static_cast<std::size_t>(topic)]();
}

std::u16string_view FindingKindLabel(bool blocker) {
  if (IsChinese)
    return blocker ? u"阻礙" : u"警告";
  return blocker ? u"Blocker" : u"Warning";
}

std::u16string LogonRefusedMessage(LogonCheck check) {
  std::u16string message(IsChinese ? u"Windows 拒絕這個登入: " : u"Windows refuses this logon: ");
  const auto reason = static_cast<std::size_t>(check) - 1;
  if (reason < std::size(kLogonRefusals))
    message.append(kLogonRefusals[reason]());
  return message;
}

// ==== The protected password and the re-apply ====

std::u16string_view PasswordLocationText(PasswordLocation location) {
  if (!IsChinese)
    return PasswordLocationName(location);
  constexpr std::u16string_view kChinese[] = {u"無", u"登錄檔", u"受保護", u"無法讀取"};
  return kChinese[static_cast<std::size_t>(location)];
}

// ==== Input the command line refuses, and applies kept apart ====

}  // namespace quenda
