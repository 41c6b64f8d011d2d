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
const Bilingual kMachineName{u"Machine Name", u"電腦名稱"};
const Bilingual kUserName{u"User Name", u"使用者名稱"};
const Bilingual kPassword{u"Password", u"密碼"};
const Bilingual kConfirmation{u"re-Password", u"確認密碼"};
const Bilingual kDomainName{u"Domain Name", u"網域名稱"};
const Bilingual kStartingAutoLogon{u"&Starting Auto Logon", u"啟動自動登入(&S)"};
const Bilingual kStartingAutoLogonTip{
    u"This is the Program Titles, Check this, and automatically Logon with the following user "
    u"informations.",
    u"這是本程式的標題功能, 您只要選取本項目, 就會以下列的使用者資訊自動幫您登入."};
const Bilingual kAutomatically{u"&Automatically", u"程式自動操作(&A)"};
const Bilingual kAutomaticallyTip{u"After 5 seconds the program automatically take effect.",
                                  u"五秒鐘之後程式自動操作."};
const Bilingual kOk{u"&OK", u"確定(&O)"};
const Bilingual kCancel{u"&Cancel", u"取消(&C)"};
const Bilingual kAbout{u"About (&Help)", u"關於(&H)"};
const Bilingual kMaker{u"Corvane Corporation.", u"晨柏科技"};
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

std::u16string_view MismatchMessage() {
  return IsChinese ? u"兩次輸入的密碼不一樣, 請再輸入一次."
                   : u"Not Confirmed password, please keyin again.";
}

std::u16string_view FailureMessage() {
  return IsChinese ? u"無法操作自動登入!\r\n可能是使用者沒有系統管理權限."
                   : u"Cannot operate Auto Logon!\r\nMaybe the user not administrators.";
}

std::u16string_view UnrepresentableMessage() {
  return IsChinese ? u"輸入的文字含有本系統字碼頁無法儲存的字元, 請改用其他字元."
                   : u"The text you typed has characters this system's code page cannot store. "
                     u"Please use other characters.";
}

std::u16string_view ReadmeFileName() {
  return IsChinese ? u"readmetw.txt" : u"readme.txt";
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

std::u16string_view ConsoleUsage() {
  if (IsChinese) {
    return u"Quenda " QUENDA_VERSION
           u" - 以命令列設定自動登入; quenda.exe 是對話方塊.\r\n"
           u"\r\n"
           u"  quenda /status\r\n"
           u"      顯示電腦名稱與已儲存的自動登入設定, 絕不顯示密碼.\r\n"
           u"  quenda /enable /user:名稱 [/domain:名稱] [/automatic]\r\n"
           u"      以該使用者啟動自動登入. 密碼取自標準輸入的第一行, "
           u"在主控台上則不顯示地詢問兩次.\r\n"
           u"      未指定 /domain: 時沿用已儲存的網域名稱. "
           u"/automatic: 每次登入時程式自動再套用一次設定.\r\n"
           u"  quenda /disable\r\n"
           u"      停止自動登入並刪除已儲存的密碼, 使用者名稱與網域名稱保留.\r\n"
           u"  quenda /?\r\n"
           u"      顯示本說明.\r\n"
           u"\r\n"
           u"參數不分大小寫, 也可以用 \"-\" 開頭. "
           u"結束代碼: 0 完成, 1 未完成 (原因見訊息), 2 用法錯誤.\r\n";
  }
  return u"Quenda " QUENDA_VERSION
         u" - automatic logon from the command line; quenda.exe is the dialog.\r\n"
         u"\r\n"
         u"  quenda /status\r\n"
         u"      Shows the machine name and the stored settings, never the password.\r\n"
         u"  quenda /enable /user:NAME [/domain:NAME] [/automatic]\r\n"
         u"      Turns the automatic logon on for NAME. The password is the first line of\r\n"
         u"      standard input; at a console it is asked for twice, without echo.\r\n"
         u"      Without /domain: the stored domain stays. /automatic: the program applies\r\n"
         u"      the settings again by itself at every logon.\r\n"
         u"  quenda /disable\r\n"
         u"      Turns the automatic logon off and deletes the stored password; the user\r\n"
         u"      and domain names stay.\r\n"
         u"  quenda /?\r\n"
         u"      Shows this help.\r\n"
         u"\r\n"
         u"Switches are case-insensitive and may begin with \"-\" instead of \"/\".\r\n"
         u"Exit codes: 0 done, 1 not done (the message says why), 2 wrong usage.\r\n";
}

std::u16string_view StatusLabel(StatusItem item) {
  switch (item) {
    case StatusItem::MachineName:
      return IsChinese ? u"電腦名稱" : u"Machine name";
    case StatusItem::AutoLogon:
      return IsChinese ? u"自動登入" : u"Automatic logon";
    case StatusItem::UserName:
      return IsChinese ? u"使用者名稱" : u"User name";
    case StatusItem::DomainName:
      return IsChinese ? u"網域名稱" : u"Domain name";
    case StatusItem::PasswordStored:
      return IsChinese ? u"已儲存密碼" : u"Password stored";
    case StatusItem::Automatically:
      return IsChinese ? u"程式自動操作" : u"Automatically";
    case StatusItem::RunEntry:
      return IsChinese ? u"登入時執行" : u"Run entry";
  }
  return {};
}

std::u16string_view OnOffText(bool on) {
  if (IsChinese)
    return on ? u"開啟" : u"關閉";
  return on ? u"on" : u"off";
}

std::u16string_view YesNoText(bool yes) {
  if (IsChinese)
    return yes ? u"是" : u"否";
  return yes ? u"yes" : u"no";
}

std::u16string_view PasswordPrompt() {
  return IsChinese ? u"密碼: " : u"Password: ";
}

std::u16string_view ConfirmationPrompt() {
  return IsChinese ? u"確認密碼: " : u"re-Password: ";
}

// ==== Input the command line refuses, and applies kept apart ====

std::u16string_view NoPasswordLineMessage() {
  return IsChinese ? u"標準輸入中沒有密碼. 空白密碼請輸入一個空行. 未寫入任何設定."
                   : u"Standard input holds no password line; a blank password is given as an "
                     u"empty line. Nothing was written.";
}

std::u16string_view PasswordTooLongMessage() {
  return IsChinese ? u"密碼行超過 4096 位元組. 未寫入任何設定."
                   : u"The password line is longer than 4096 bytes. Nothing was written.";
}

std::u16string_view PasswordControlCharacterMessage() {
  return IsChinese ? u"密碼含有 NUL 或其他控制字元. 未寫入任何設定."
                   : u"The password holds a NUL or another control character. Nothing was "
                     u"written.";
}

std::u16string_view SaveLockTimeoutMessage() {
  return IsChinese ? u"另一個程式仍在寫入自動登入設定. 未寫入任何設定."
                   : u"Another apply is still writing the settings. Nothing was written.";
}

}  // namespace quenda
