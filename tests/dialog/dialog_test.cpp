// The dialog without a screen: start-up, the text sets, the two modes, the mismatch message and
// the information panel, each run over the substitute registry and the headless services.
#include <algorithm>
#include <optional>
#include <tuple>

#include "ansi_text.h"
#include "harness.h"
#include "readme.h"
#include "text_sets.h"

namespace quenda::testing {
namespace {

// What start-up reads: the four states of the two flags, where only an exact "1" (or the number
// 1) counts as on; the locale, whose last three characters choose Chinese when they are "404";
// and the texts, each shown as read. A user name that is missing, or too long to be read (in
// some rows), leaves its box empty rather than showing the designed name or the text of the read
// before. The focus goes to the first enabled control.
TEST(StartUp, FillsTheDialogFromWhatIsStored) {
  const auto text = [](std::string data) { return memory::StoredValue{registry::kTypeSz, data}; };
  const memory::StoredValue number1{registry::kTypeDword, std::string("\1\0\0\0", 4)};
  struct Case {
    std::optional<memory::StoredValue> autoAdminLogon;  // nullopt: absent
    const char* quendaFlag;                             // nullptr: absent
    const char* locale;                                 // nullptr: absent
    bool userTooLong;  // a user name of 2000 bytes, too long to be read
    int check1;
    int check2;
    bool chinese;
  };
  const Case cases[] = {
      {text("1"), "1", "00000404", false, 1, 1, true},
      {text("0"), "1", "00001404", true, 1, 1, true},
      {text("1"), nullptr, "404", false, 1, 0, true},
      {std::nullopt, "0", "00000409", true, 0, 0, false},
      {number1, "01", "00000804", false, 1, 0, false},
      {text("01"), " 1", "00000C04", true, 0, 0, false},
      {text(" 1"), "1 ", "4040", false, 0, 0, false},
      {text("1"), "0", "04", true, 1, 0, false},
      {text("1"), "0", nullptr, false, 1, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    Harness h(c.locale);
    if (c.autoAdminLogon)
      memory::PutValue(registry::kLocalMachine, kWinlogonKey, kAutoAdminLogonValue,
                       c.autoAdminLogon->type, c.autoAdminLogon->data);
    if (c.quendaFlag)
      h.Put(kWinlogonKey, kQuendaValue, c.quendaFlag);
    if (c.userTooLong)
      h.Put(kWinlogonKey, kDefaultUserNameValue, std::string(2000, 'u'));
    h.Put(kWinlogonKey, kDefaultPasswordValue, "s3cret");
    h.Put(kWinlogonKey, kDefaultDomainNameValue, "HOME");
    IsChinese = !c.chinese;  // start-up sets it either way
    h.Start();
    EXPECT_EQ(std::tuple(h[Check1].value, IsChinese, h.form.Focused()),
              std::tuple(c.check1, c.chinese, c.check2 == 1 ? Check2 : Check1));
    h.ExpectMode(c.check2 == 1);
    EXPECT_EQ(std::tie(h[Label1].caption, h[Label2].caption, h[Text4].text, h[Text6].text,
                       h[Text3].text, h[Text2].text),
              std::tuple(c.chinese ? u"電腦名稱" : u"Machine Name", u"PC", u"s3cret", u"s3cret",
                         u"", u"HOME"));
  }
}

// The text-set rules: after start-up every row holds its set's text, a copy row the text of its
// source (read after the rows before it), and only the listed controls wear the Chinese face. One
// literal per set catches a changed text; every Chinese text survives the double-byte code page.
TEST(TextSets, EveryRowHoldsItsSetsTextAndOnlyTheListedControlsChangeFace) {
  const auto valueOf = [](const Control& control, Property property) {
    return property == Property::Caption ? control.caption
           : property == Property::Text  ? control.text
                                         : control.toolTipText;
  };
  for (const bool chinese : {false, true}) {
    SCOPED_TRACE(chinese ? "Chinese" : "English");
    Harness h(chinese ? "00000404" : "00000409");
    h.Start();
    for (const TextSetRow& row : TextSetRows()) {
      if (!chinese && !row.appliesInEnglish)
        continue;
      const std::u16string expected = row.copyFrom != Form1 ? valueOf(h[row.copyFrom], row.property)
                                      : chinese             ? std::u16string(row.text->chinese)
                                                            : std::u16string(row.text->english);
      EXPECT_EQ(valueOf(h[row.control], row.property), expected) << static_cast<int>(row.control);
    }
    for (std::size_t i = 0; i < kControlCount; ++i) {
      const auto id = static_cast<ControlId>(i);
      const bool newFace = chinese && std::ranges::count(ChineseFontControls(), id) == 1;
      EXPECT_EQ(h[id].font.name, newFace ? kChineseFontName : u"Arial") << i;
    }
    EXPECT_EQ(h[Check1].caption, chinese ? u"啟動自動登入(&S)" : u"&Starting Auto Logon");
    EXPECT_EQ(h[Text1].text, chinese ? kChineseContactText : kEnglishContactText);
  }
  ASSERT_TRUE(SetAnsiCodePage("CP950"));
  for (const TextSetRow& row : TextSetRows())
    EXPECT_TRUE(!row.text || FitsAnsi(row.text->chinese)) << static_cast<int>(row.control);
  SetAnsiCodePage("WINDOWS-1252");
}

// The check-box rule: assigning the value a box holds runs nothing. Then every transition of the
// mode table, each step giving the box clicked, Check1's value and whether the mode is automatic:
// in manual mode clearing Check1 changes nothing else and ticking it leaves Check2 clear; ticking
// Check2 ticks the cleared Check1; a click on the disabled Check1 does nothing; clearing Check2
// leaves Check1 ticked. The focus order skips the controls each mode disables, and a box entered
// has its whole text selected. A fresh countdown that cancel ends writes nothing.
TEST(Modes, EveryTransitionOfTheModeTableAndTheFocusOrderInEachMode) {
  Harness h;
  h.StartWith("1", "0");
  const Registry before = Contents();
  h.services.changes.clear();
  h.form.SetValue(Check1, 1);
  h.form.SetValue(Check2, 0);
  EXPECT_TRUE(h.services.changes.empty());
  const std::tuple<ControlId, int, bool> steps[] = {{Check1, 0, false}, {Check1, 1, false},
                                                    {Check1, 0, false}, {Check2, 1, true},
                                                    {Check1, 1, true},  {Check2, 1, false}};
  for (auto [box, check1, automatic] : steps) {
    h.services.Advance(2000);  // the automatic steps together stay short of a period
    h.services.Click(box);
    EXPECT_EQ(h[Check1].value, check1);
    h.ExpectMode(automatic);
  }
  const auto expectTabs = [&](std::initializer_list<ControlId> order) {
    for (ControlId expected : order) {
      h.services.Tab();
      EXPECT_EQ(h.form.Focused(), expected);
    }
  };
  expectTabs({Command1, Command2, Command3, Check1, Text3, Text4, Text6, Text2, Check2});
  EXPECT_EQ(
      std::tuple(h[Text3].selLength, h[Text4].selLength, h[Text6].selLength, h[Text2].selLength),
      std::tuple(5, 2, 2, 4));
  h.services.Tab(false);
  EXPECT_EQ(h.form.Focused(), Text2);
  h.services.Click(Check2);  // a fresh period of 5000 ms
  expectTabs({Command1, Command2, Command3, Check2});
  // Cleared by code, Check1 leaves the automatic mode just as a click would.
  h.form.SetValue(Check1, 0);
  h.ExpectMode(false);
  h.form.SetValue(Check2, 1);
  h.services.Advance(4999);
  h.services.Click(Command2);
  h.services.Advance(10000);
  EXPECT_EQ(std::pair(h.services.closed, h.services.expiries), std::pair(true, 0));
  EXPECT_EQ(Contents(), before);
}

// In manual mode the message comes once and the password is selected for retyping. In automatic
// mode it comes at each expiry, and expiries that fall while it is open come as one after it,
// never as a box inside the box; the countdown goes on in its rhythm. The second run restarts the
// countdown while a box is open: the expiries held from the old period then do not come at all.
// Nothing is ever written.
TEST(Mismatch, TheMessageInEitherModeWritesNothing) {
  for (auto [chinese, confirmation, restart] :
       {std::tuple{false, u"Secret", false}, {true, u"secret ", true}}) {
    Harness h(chinese ? "00000404" : nullptr);
    h.StartWith("1", "0");
    h.services.Type(Text4, u"secret");
    h.services.Type(Text6, confirmation);
    const Registry before = Contents();
    h.services.Click(Command1);
    const ShownMessage& box = h.services.messages.at(0);
    EXPECT_EQ(box, (ShownMessage{chinese ? u"兩次輸入的密碼不一樣, 請再輸入一次."
                                         : u"Not Confirmed password, please keyin again.",
                                 MessageKind::Plain}));
    EXPECT_EQ(std::tuple(h.form.Focused(), h[Text4].selStart, h[Text4].selLength),
              std::tuple(Text4, 0, 6));
    h.ExpectMode(false);
    h.services.onMessage = [&, restartWhileOpen = restart](auto&) {
      if (h.services.messages.size() != 2)
        return;
      h.services.Advance(17000);  // three expiries, at 10000, 15000 and 20000 ms
      if (restartWhileOpen) {
        h.form.SetValue(Check2, 0);  // a fresh period, from 22000 ms
        h.form.SetValue(Check2, 1);
      }
    };
    h.services.Click(Check2);
    h.services.Advance(5000);
    EXPECT_EQ(std::pair(h.services.expiries, h.services.messages.size()),
              std::pair(4, std::size_t{restart ? 2u : 3u}));
    h.services.Advance(restart ? 5000 : 3000);  // the next expiry, at 27000 or 25000 ms
    EXPECT_EQ(h.services.messages.size(), restart ? 3u : 4u);
    EXPECT_EQ(Contents(), before);
    h.ExpectMode(true);
  }
}

// The information panel over an executable in "D:\Tools". The first narrowing, at a width of
// exactly 5000, loads the readme; a readme beginning with "h" is read again at every narrowing;
// once the file is missing, the empty panel text stays for the rest of the run, silently. From a
// drive root the path keeps one separator, and a huge file shows its first 64 KiB.
TEST(Panel, TheReadmeIsLoadedAtEachNarrowingWhileThePanelTextBeginsWithH) {
  Harness h;
  h.services.executableDirectory = u"D:\\Tools";
  h.services.files[u"D:\\Tools\\readme.txt"] = "hello";
  h.Start();
  const auto press = [&](int times) {
    for (int i = 0; i < times; ++i)
      h.services.Click(Command3);
  };
  EXPECT_EQ(h.form.Width(), 4020.0f);
  press(1);
  EXPECT_EQ(std::tuple(h.form.Width(), h[Text1].text), std::tuple(8040.0f, kEnglishContactText));
  h.form.SetWidth(5000);
  press(1);
  EXPECT_EQ(std::tuple(h.form.Width(), h[Text1].text), std::tuple(4020.0f, u"hello\r\n"));
  h.services.files.clear();
  press(2);
  h.services.files[u"D:\\Tools\\readme.txt"] = "here now";
  press(4);
  EXPECT_EQ(h[Text1].text, u"");
  EXPECT_EQ(h.services.readPaths, std::vector<std::u16string>(2, u"D:\\Tools\\readme.txt"));
  h.services.executableDirectory = u"D:\\";
  h.services.files[u"D:\\readme.txt"] = std::string(50 << 20, '\r');
  h.form.SetText(Text1, u"h");
  press(2);
  EXPECT_EQ(h[Text1].text.size(), 2 * kReadmeLimit);
  // The Chinese set reads only its own readme, in the ANSI code page.
  Harness chinese("00000404");
  chinese.services.files = {{u"C:\\Tools\\readme.txt", "english"},
                            {u"C:\\Tools\\readmetw.txt", "\xA4\xA4\xA4\xE5\r\nlast"}};
  chinese.Start();
  ASSERT_TRUE(SetAnsiCodePage("CP950"));
  for (int i = 0; i < 4; ++i)
    chinese.services.Click(Command3);
  EXPECT_EQ(chinese[Text1].text, u"中文\r\nlast\r\n");
  SetAnsiCodePage("WINDOWS-1252");
}

// The logo opens the product's page with explorer.exe named by its full path in the Windows folder
// (a search would find a program of that name in the program's folder first), minimized; a failed
// start ends nothing and shows nothing.
TEST(Logo, OpensTheProductPageWithTheSystemsExplorer) {
  Harness h;
  h.Start();
  h.services.startProgramSucceeds = false;
  h.services.Click(Image1);
  EXPECT_EQ(
      h.services.startedPrograms,
      (std::vector<HeadlessServices::StartedProgram>{
          {u"C:\\Windows\\explorer.exe", u"explorer https://www.corvane.example/quenda/", 2}}));
  EXPECT_TRUE(h.services.messages.empty() && !h.services.closed);
}

// Every line ends with CR LF whatever ended it in the file; a NUL does not end the text.
TEST(Readme, EveryLineEndsWithCrLfWhateverEndedItInTheFile) {
  const std::pair<std::string, std::u16string> cases[] = {{"", u""},
                                                          {"a\r", u"a\r\n"},
                                                          {"a\n", u"a\n\r\n"},
                                                          {"\r\n\r\n", u"\r\n\r\n"},
                                                          {"x\r\r", u"x\r\n\r\n"},
                                                          {"a\n\rb", u"a\n\r\nb\r\n"},
                                                          {"caf\xE9\r\n", u"café\r\n"},
                                                          {std::string("a\0b", 3), u"a b\r\n"}};
  SetAnsiCodePage("WINDOWS-1252");
  for (const auto& [bytes, expected] : cases)
    EXPECT_EQ(ReadmeText(bytes), expected) << ::testing::PrintToString(bytes);
}

}  // namespace
}  // namespace quenda::testing
