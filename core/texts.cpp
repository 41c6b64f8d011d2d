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

std::u16string_view TooLongMessage() {
  return IsChinese ? u"輸入的文字太長, 儲存之後無法完整讀回, 請改用較短的文字."
                   : u"The text you typed is too long to be read back once stored. "
                     u"Please use a shorter one.";
}

std::u16string_view UnreadableMessage() {
  return IsChinese ? u"無法讀取自動登入的設定: 存取被拒. 請以系統管理員身分執行."
                   : u"The automatic logon settings cannot be read: access is denied. "
                     u"Run as an administrator.";
}

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

// ==== The protected password and the re-apply ====

std::u16string_view PasswordLocationText(PasswordLocation location) {
  if (!IsChinese)
    return PasswordLocationName(location);
  constexpr std::u16string_view kChinese[] = {u"無", u"登錄檔", u"受保護", u"無法讀取"};
  return kChinese[static_cast<std::size_t>(location)];
}

std::u16string_view ReapplyOffMessage() {
  return IsChinese ? u"\"程式自動操作\" 未開啟, 沒有變更任何設定.\r\n"
                   : u"\"Automatically\" is off: nothing was changed.\r\n";
}

std::u16string_view ProtectAndReapplyUsage() {
  if (IsChinese) {
    return u"\r\n"
           u"  quenda /enable /user:名稱 ... /protect\r\n"
           u"      將密碼存入受保護的 LSA 機密 \"DefaultPassword\", 而非一般使用者也能讀取的\r\n"
           u"      登錄值 DefaultPassword. 已有受保護的密碼時, 不加 /protect 也存在那裡.\r\n"
           u"  quenda /reapply\r\n"
           u"      \"程式自動操作\" 開啟時, 照已儲存的設定再套用一次並啟動自動登入,\r\n"
           u"      如同每次登入時程式自動操作; 否則不做任何變更. 供以 SYSTEM 身分執行的\r\n"
           u"      登入排程工作使用. 設定未變更時不寫入任何東西.\r\n";
  }
  return u"\r\n"
         u"  quenda /enable /user:NAME ... /protect\r\n"
         u"      Stores the password in the protected LSA secret \"DefaultPassword\" instead\r\n"
         u"      of the registry value DefaultPassword, which every local user can read.\r\n"
         u"      Where a protected password exists, it goes there without /protect too.\r\n"
         u"  quenda /reapply\r\n"
         u"      When \"Automatically\" is on, applies the stored settings again with the\r\n"
         u"      automatic logon on, as the program does by itself at every logon;\r\n"
         u"      otherwise changes nothing. For a logon task that runs as SYSTEM. An apply\r\n"
         u"      that would change nothing writes nothing.\r\n";
}

}  // namespace quenda
