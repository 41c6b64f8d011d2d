// Start-up: the reads, the resulting states, the flag rule, the locale rule and the text sets.
#include <algorithm>
#include <optional>
#include <vector>

#include "contact_texts.h"
#include "dialog_harness.h"

namespace quenda::testing {
namespace {

using enum ControlId;

TEST(StartUp, EndsInOneOfFourStatesAndOnlyAnExact1CountsAsOn) {
  struct Case {
    std::optional<memory::StoredValue> autoAdminLogon;
    std::optional<std::string> quendaFlag;
    int check1, check2;
  };
  const auto text = [](std::string data) { return memory::StoredValue{registry::kTypeSz, data}; };
  const auto number = [](char n) {
    return memory::StoredValue{registry::kTypeDword, std::string{n, 0, 0, 0}};
  };
  // clang-format off
  const Case cases[] = {
      {text("1"), "1", 1, 1}, {text("0"), "1", 1, 1}, {std::nullopt, "1", 1, 1},
      {text("1"), "0", 1, 0}, {text("1"), std::nullopt, 1, 0},
      {text("0"), "0", 0, 0}, {std::nullopt, std::nullopt, 0, 0},
      {number(1), "0", 1, 0}, {number(2), "0", 0, 0}, {text(std::string("1\0", 2)), "0", 1, 0},
      {text("01"), "0", 0, 0}, {text(" 1"), "0", 0, 0}, {text("1 "), "0", 0, 0},
      {text("true"), "0", 0, 0}, {memory::StoredValue{registry::kTypeExpandSz, "1"}, "0", 0, 0},
      {text("1"), "01", 1, 0}, {text("0"), " 1", 0, 0}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.autoAdminLogon ? c.autoAdminLogon->data : "-") + " " +
                 c.quendaFlag.value_or("-"));
    Harness h;
    if (c.autoAdminLogon) {
      memory::PutValue(registry::kLocalMachine, kWinlogonKey, kAutoAdminLogonValue,
                       c.autoAdminLogon->type, c.autoAdminLogon->data);
    }
    if (c.quendaFlag)
      h.PutWinlogon(kQuendaValue, *c.quendaFlag);
    h.Start();
    const bool automatic = c.check2 == 1;
    EXPECT_EQ(h[Check1].value, c.check1);
    EXPECT_EQ(h[Check2].value, c.check2);
    EXPECT_EQ(h.toolkit.TimerRunning(), automatic);
    for (ControlId id : {Check1, Text2, Text3, Text4, Text6, Label3, Label4, Label5, Label6})
      EXPECT_EQ(h[id].enabled, !automatic) << NameOf(h[id]);
    EXPECT_EQ(h.form.Focused(), automatic ? Check2 : Check1);
    EXPECT_EQ(h.form.Width(), 4020.0f);
    EXPECT_FALSE(h[Text2].locked || h[Text3].locked);
  }
}

TEST(StartUp, EveryBoxTakesWhatWasReadAndNothingElse) {
  // A value longer than 1024 bytes reads as empty, as does a missing one: the user name box then
  // shows neither the designed "Administrator" nor the text of the read before.
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"s3cret", std::string(2000, 'u')}, {std::string(1025, 'p'), std::nullopt}};
  for (const auto& [password, userName] : cases) {
    Harness h;
    h.PutWinlogon(kDefaultPasswordValue, password);
    if (userName)
      h.PutWinlogon(kDefaultUserNameValue, *userName);
    h.PutWinlogon(kDefaultDomainNameValue, "HOME");
    h.Start();
    const std::u16string shown = password.size() > 1024 ? u"" : u"s3cret";
    EXPECT_EQ(h[Text4].text, shown);
    EXPECT_EQ(h[Text6].text, shown);
    EXPECT_EQ(h[Text3].text, u"");
    EXPECT_EQ(h[Text2].text, u"HOME");
    EXPECT_EQ(h[Label2].caption, u"PC");
    EXPECT_TRUE(h.platform.messageBoxes.empty() && h.toolkit.messageBoxes.empty());
  }
}

TEST(StartUp, TheLastThreeCharactersOfTheLocaleChooseTheLanguage) {
  const std::pair<std::optional<std::string>, bool> cases[] = {
      {"00000404", true},  {"00001404", true},   {"404", true},   {"00000409", false},
      {"00000804", false}, {"00000C04", false},  {"4040", false}, {"04", false},
      {"", false},         {std::nullopt, false}};
  for (const auto& [locale, chinese] : cases) {
    SCOPED_TRACE(locale.value_or("missing"));
    Harness h;
    IsChinese = !chinese;  // start-up must set it either way
    if (locale)
      h.PutLocale(*locale);
    h.Start();
    EXPECT_EQ(IsChinese, chinese);
    EXPECT_EQ(h[Label1].caption, chinese ? u"電腦名稱" : u"Machine Name");
  }
}

// Every caption and tooltip after start-up in each set, and which controls take the Chinese font.
TEST(TextSets, EveryControlShowsItsSetAfterStartUp) {
  struct Expected {
    ControlId id;
    std::u16string Control::*property;
    std::u16string_view english, chinese;
  };
  const auto caption = &Control::caption;
  const auto tip = &Control::toolTipText;
  // clang-format off
  const Expected expected[] = {
      {Label1, caption, u"Machine Name", u"電腦名稱"}, {Label4, caption, u"User Name", u"使用者名稱"},
      {Label5, caption, u"Password", u"密碼"}, {Label6, caption, u"re-Password", u"確認密碼"},
      {Label3, caption, u"Domain Name", u"網域名稱"},
      {Check1, caption, u"&Starting Auto Logon", u"啟動自動登入(&S)"},
      {Check2, caption, u"&Automatically", u"程式自動操作(&A)"},
      {Command1, caption, u"&OK", u"確定(&O)"}, {Command2, caption, u"&Cancel", u"取消(&C)"},
      {Command3, caption, u"About (&Help)", u"關於(&H)"},
      {Frame1, caption, u"Corvane Corporation.", u"晨柏科技"},
      {Label2, caption, u"PC", u"PC"}, {Label7, caption, u"Quenda", u"Quenda"},
      {Label8, caption, u"Ver. 2.3.2", u"Ver. 2.3.2"}, {Form1, caption, u"Quenda", u"Quenda"},
      {Label9, caption, u"(Administrators)", u"(Administrators)"},
      {Check1, tip, u"This is the Program Titles, Check this, and automatically Logon with "
                    u"the following user informations.",
                    u"這是本程式的標題功能, 您只要選取本項目, 就會以下列的使用者資訊自動幫您登入."},
      {Check2, tip, u"After 5 seconds the program automatically take effect.",
                    u"五秒鐘之後程式自動操作."},
      {Text3, tip, u"Make ture keyin a Managerial users,(like Administrator), DON'T try the "
                   u"lower level users, cos you Cannot Stop the AutoLogon.",
                   u"請用系統管理階層的使用者來自動登入,(例如:Administrator), "
                   u"請勿嘗試用較低等級的使用者,可能會造成永遠的自動登入無法解除."},
      {Text4, tip, u"Set user's password to blank is better for safly system. cos NT auto "
                   u"release after every AutoLogon.",
                   u"建議您盡可能的在使用者管理員設定使用者密碼為空的. 因為在這種情況, "
                   u"AutoLogon之後NT會自己解除. 多增加了一層安全性."},
      {Text1, tip, u"Your keyin informations in here, NOT transfer out automatically from this "
                   u"local machine in any kind methods ! Make mide easy.",
                   u"您在本程式鍵入的任何資訊, 並不會以任何形式自動傳遞出本機電腦, "
                   u"請安心使用, 如有任何問題歡迎洽詢, 謝謝 !"},
      {Image1, tip, u"https://www.corvane.example/", u"https://www.corvane.example/"},
      {Text2, tip, u"", u""}};
  // clang-format on
  for (bool chinese : {false, true}) {
    SCOPED_TRACE(chinese ? "chinese" : "english");
    Harness h;
    h.PutLocale(chinese ? "00000404" : "00000409");
    h.PutWinlogon(kDefaultUserNameValue, "alice");
    h.Start();
    for (const Expected& e : expected)
      EXPECT_EQ(h[e.id].*e.property, chinese ? e.chinese : e.english) << NameOf(h[e.id]);
    EXPECT_EQ(h[Text6].toolTipText, h[Text4].toolTipText);
    const std::u16string& contact = h[Text1].text;
    EXPECT_EQ(contact, chinese ? kChineseContactText : kEnglishContactText);
    EXPECT_TRUE(contact.starts_with(u"https://www.corvane.example/\r\n"));
    EXPECT_TRUE(contact.ends_with(u"\r\n"));
    EXPECT_EQ(std::count(contact.begin(), contact.end(), u'\r'), 9);  // nine lines, each CR LF
    EXPECT_EQ(std::count(contact.begin(), contact.end(), u'\n'), 9);
    EXPECT_EQ(h[Text3].text, u"alice");  // a text set never touches the credentials
    const ControlId chineseFont[] = {Label1, Label4, Label5,   Label6,   Label3,
                                     Check1, Check2, Command1, Command2, Command3};
    for (std::size_t i = 0; i < kControlCount; ++i) {
      const Control& control = h[static_cast<ControlId>(i)];
      const bool changed = chinese && std::ranges::count(chineseFont, control.id) == 1;
      EXPECT_EQ(control.font.name, changed ? u"新細明體" : u"Arial") << NameOf(control);
    }
    EXPECT_EQ(h[Label1].font.hundredthsOfPoint, 1125);  // only the face changes
  }
}

TEST(AutoSize, LabelsKeepTheirAnchorAndTopWhenTheCaptionChanges) {
  Harness h;
  h.Put(registry::kLocalMachine, kComputerNameKey, kComputerNameValue, "WORKSTATION-0001");
  h.PutLocale("00000404");
  h.Start();
  // Left-aligned: Left and Top stay; four full-width characters of 11.25 pt in the new font.
  EXPECT_EQ(h[Label1].rect.left, 300);
  EXPECT_EQ(h[Label1].rect.top, 180);
  EXPECT_EQ(h[Label1].rect.width, 4 * 2 * 112);
  // Centred: the centre of the designed 2220..3285 stays.
  EXPECT_EQ(h[Label2].rect.width, 16 * 112);
  EXPECT_NEAR(h[Label2].rect.left + h[Label2].rect.width / 2.0, 2220 + 1065 / 2.0, 1.0);
  // Right-aligned: the right edge stays.
  h.form.SetCaption(Label8, u"Ver. 10");
  EXPECT_EQ(h[Label8].rect.left + h[Label8].rect.width, 7020 + 855);
  // A new face alone re-measures the caption in it.
  h.form.SetFontName(Label7, u"Wide");
  EXPECT_EQ(h.toolkit.measurements.back().font.name, u"Wide");
  EXPECT_EQ(h.toolkit.measurements.back().caption, u"Quenda");
}

}  // namespace
}  // namespace quenda::testing
