// The dialog without a screen: start-up, the two modes, apply, mismatches, focus and the
// information panel, each run over the substitute registry and the headless toolkit and platform.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "ansi_text_iconv.h"
#include "contact_texts.h"
#include "language.h"
#include "locations.h"
#include "registry_memory.h"
#include "text_sets.h"
#include "toolkit_headless.h"

namespace quenda::testing {
namespace {

namespace memory = registry::memory;
using Registry = std::map<std::u16string, std::string>;
using enum ControlId;

// Every value in the registry, keyed as the substitute's snapshot keys them.
Registry Contents() {
  Registry texts;
  for (const auto& [entry, value] : memory::Snapshot())
    texts[entry] = value.data;
  return texts;
}

// The whole registry after a run over Harness::StartWith: the computer name and, in the order an
// apply writes them, AutoAdminLogon, DefaultUserName, DefaultPassword, the Run entry,
// DefaultDomainName and the Quenda flag, then the user's locale; "" stands for a value that does
// not exist. Windows, like the substitute, stores a NUL after a text written without one.
Registry Stored(const std::array<std::string, 7>& values) {
  const std::u16string logon = u"HKLM\\software\\microsoft\\windows nt\\currentversion\\winlogon\\";
  // clang-format off
  const std::u16string keys[] = {logon + u"autoadminlogon", logon + u"defaultusername",
      logon + u"defaultpassword", u"HKLM\\software\\microsoft\\windows\\currentversion\\run\\quenda",
      logon + u"defaultdomainname", logon + u"quenda", u"HKCU\\control panel\\international\\locale"};
  Registry registry{{u"HKLM\\system\\currentcontrolset\\control\\computername\\computername\\"
                     u"computername", std::string("PC", 3)}};
  // clang-format on
  for (std::size_t i = 0; i < values.size(); ++i)
    if (!values[i].empty())
      registry[keys[i]] = values[i] + '\0';
  return registry;
}

// What the Run entry holds for the headless platform's executable directory, C:\Tools.
const std::string kRunCommand = "C:\\Tools\\Quenda.exe";

// One run of the dialog, over a store holding the computer name "PC" and, when given, the user's
// locale.
class Harness {
 public:
  explicit Harness(const char* locale = nullptr) {
    memory::Reset();
    SetAnsiCodePage("WINDOWS-1252");
    IsChinese = false;
    Put(kComputerNameKey, kComputerNameValue, "PC");
    if (locale)
      Put(kInternationalKey, kLocaleValue, locale, registry::kCurrentUser);
  }

  // Stores a text the way other programs usually do, with its terminating NUL.
  static void Put(std::u16string_view path, std::u16string_view name, std::string text,
                  registry::Key root = registry::kLocalMachine) {
    memory::PutValue(root, path, name, registry::kTypeSz, text + '\0');
  }

  // Form_Load, then the dialog is shown.
  void Start() {
    form.Load();
    toolkit.Show();
  }
  // A run over alice / pw / HOME with the two flags stored as given.
  void StartWith(std::string autoAdminLogon, std::string quendaFlag) {
    // clang-format off
    for (auto [name, text] : {std::pair{kAutoAdminLogonValue, autoAdminLogon},
             {kQuendaValue, quendaFlag}, {kDefaultUserNameValue, "alice"},
             {kDefaultPasswordValue, "pw"}, {kDefaultDomainNameValue, "HOME"}})
      Put(kWinlogonKey, name, text);
    // clang-format on
    Start();
  }

  // The mode table: the countdown, the credential group and Check1 follow Check2.
  void ExpectMode(bool automatic) const {
    EXPECT_EQ(form[Check2].value, automatic ? 1 : 0);
    EXPECT_EQ(toolkit.TimerRunning(), automatic);
    for (ControlId id : {Check1, Text2, Text3, Text4, Text6, Label3, Label4, Label5, Label6})
      EXPECT_EQ(form[id].enabled, !automatic) << static_cast<int>(id);
    EXPECT_TRUE(!automatic || form[Check1].value == 1);
  }

  const Control& operator[](ControlId id) const { return form[id]; }

  HeadlessPlatform platform;
  HeadlessDialog dialog;
  HeadlessToolkit& toolkit = dialog.toolkit;
  quenda::Form1& form = dialog.form;
};

// What start-up reads: the four states of the two flags, where only an exact "1" (or the number
// 1) counts as on; the locale, whose last three characters choose Chinese when they are "404";
// and the texts, each shown as read. A user name that is missing, or too long to be read (every
// other row), leaves its box empty rather than showing the designed name or the text of the read
// before. The focus goes to the first enabled control.
TEST(StartUp, FillsTheDialogFromWhatIsStored) {
  const auto text = [](std::string data) { return memory::StoredValue{registry::kTypeSz, data}; };
  const memory::StoredValue number1{registry::kTypeDword, std::string("\1\0\0\0", 4)};
  // AutoAdminLogon, the flag and the locale as stored (nothing: absent), then Check1, Check2 and
  // whether the Chinese set was chosen.
  // clang-format off
  const std::tuple<std::optional<memory::StoredValue>, const char*, const char*, int, int, bool>
      cases[] = {
      {text("1"), "1", "00000404", 1, 1, true}, {text("0"), "1", "00001404", 1, 1, true},
      {text("1"), nullptr, "404", 1, 0, true}, {std::nullopt, "0", "00000409", 0, 0, false},
      {number1, "01", "00000804", 1, 0, false}, {text("01"), " 1", "00000C04", 0, 0, false},
      {text(" 1"), "1 ", "4040", 0, 0, false}, {text("1"), "0", "04", 1, 0, false},
      {text("1"), "0", nullptr, 1, 0, false}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    const auto& [autoAdminLogon, quendaFlag, locale, check1, check2, chinese] = c;
    Harness h(locale);
    if (autoAdminLogon)
      memory::PutValue(registry::kLocalMachine, kWinlogonKey, kAutoAdminLogonValue,
                       autoAdminLogon->type, autoAdminLogon->data);
    if (quendaFlag)
      h.Put(kWinlogonKey, kQuendaValue, quendaFlag);
    if ((&c - cases) % 2 == 1)
      h.Put(kWinlogonKey, kDefaultUserNameValue, std::string(2000, 'u'));
    h.Put(kWinlogonKey, kDefaultPasswordValue, "s3cret");
    h.Put(kWinlogonKey, kDefaultDomainNameValue, "HOME");
    IsChinese = !chinese;  // start-up sets it either way
    h.Start();
    EXPECT_EQ(std::tuple(h[Check1].value, IsChinese, h.form.Focused()),
              std::tuple(check1, chinese, check2 == 1 ? Check2 : Check1));
    h.ExpectMode(check2 == 1);
    EXPECT_EQ(std::tie(h[Label1].caption, h[Label2].caption, h[Text4].text, h[Text6].text,
                       h[Text3].text, h[Text2].text),
              std::tuple(chinese ? u"電腦名稱" : u"Machine Name", u"PC", u"s3cret", u"s3cret", u"",
                         u"HOME"));
  }
}

// Each set's captions, in full, and tooltips, by their opening words; a control the sets do not
// name shows the same in both. Only the listed controls take the Chinese face.
TEST(TextSets, EveryControlShowsItsSetAfterStartUp) {
  struct Row {
    ControlId id;
    std::u16string Control::*property;
    std::u16string_view english, chinese;
  };
  constexpr auto caption = &Control::caption;
  constexpr auto tip = &Control::toolTipText;
  // clang-format off
  const Row rows[] = {
      {Label1, caption, u"Machine Name", u"電腦名稱"}, {Label4, caption, u"User Name", u"使用者名稱"},
      {Label5, caption, u"Password", u"密碼"}, {Label6, caption, u"re-Password", u"確認密碼"},
      {Label3, caption, u"Domain Name", u"網域名稱"}, {Command1, caption, u"&OK", u"確定(&O)"},
      {Check1, caption, u"&Starting Auto Logon", u"啟動自動登入(&S)"},
      {Check2, caption, u"&Automatically", u"程式自動操作(&A)"},
      {Command2, caption, u"&Cancel", u"取消(&C)"}, {Command3, caption, u"About (&Help)", u"關於(&H)"},
      {Frame1, caption, u"Corvane Corporation.", u"晨柏科技"},
      {Check1, tip, u"This is the Program Titles", u"這是本程式的標題功能"},
      {Check2, tip, u"After 5 seconds", u"五秒鐘之後"},
      {Text3, tip, u"Make ture keyin a Managerial users", u"請用系統管理階層的使用者"},
      {Text4, tip, u"Set user's password to blank", u"建議您盡可能的在使用者管理員"},
      {Text6, tip, u"Set user's password to blank", u"建議您盡可能的在使用者管理員"},
      {Text1, tip, u"Your keyin informations in here", u"您在本程式鍵入的任何資訊"}};
  const ControlId chineseFace[] = {Label1, Label4, Label5, Label6, Label3, Check1, Check2,
                                   Command1, Command2, Command3};
  // clang-format on
  Harness english("00000409");
  english.Start();
  Harness chinese("00000404");  // a store of its own; the English model stays as it was loaded
  chinese.Start();
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const auto id = static_cast<ControlId>(i);
    for (auto property : {caption, tip}) {
      const auto row = std::ranges::find_if(
          rows, [&](const Row& r) { return r.id == id && r.property == property; });
      const std::u16string_view en = english[id].*property, zh = chinese[id].*property;
      if (row == std::end(rows)) {
        EXPECT_EQ(zh, en) << i;
        continue;
      }
      EXPECT_EQ(en.substr(0, property == tip ? row->english.size() : en.npos), row->english) << i;
      EXPECT_EQ(zh.substr(0, property == tip ? row->chinese.size() : zh.npos), row->chinese) << i;
    }
    const bool newFace = std::ranges::count(chineseFace, id) == 1;
    EXPECT_EQ(std::tie(english[id].font.name, chinese[id].font.name),
              std::tuple(u"Arial", newFace ? kChineseFontName : u"Arial"))
        << i;
  }
  EXPECT_EQ(std::tie(english[Text1].text, chinese[Text1].text),
            std::tuple(kEnglishContactText, kChineseContactText));
  // Auto-sized labels take the size of their new caption: Label1 keeps its left edge and top, the
  // centred Label2 (now the computer name) its centre.
  EXPECT_NE(english[Label1].rect.width, chinese[Label1].rect.width);
  for (const Harness* h : {&english, &chinese}) {
    const Rect label1 = (*h)[Label1].rect, label2 = (*h)[Label2].rect;
    EXPECT_EQ(std::tie(label1.left, label1.top, label2.top), std::tuple(300, 180, 180));
    EXPECT_NEAR(label2.left + label2.width / 2.0, 2220 + 1065 / 2.0, 1.0);
  }
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
  h.toolkit.changes.clear();
  h.form.SetValue(Check1, 1);
  h.form.SetValue(Check2, 0);
  EXPECT_TRUE(h.toolkit.changes.empty());
  const std::tuple<ControlId, int, bool> steps[] = {{Check1, 0, false}, {Check1, 1, false},
                                                    {Check1, 0, false}, {Check2, 1, true},
                                                    {Check1, 1, true},  {Check2, 1, false}};
  for (auto [box, check1, automatic] : steps) {
    h.toolkit.Advance(2000);  // the automatic steps together stay short of a period
    h.toolkit.Click(box);
    EXPECT_EQ(h[Check1].value, check1);
    h.ExpectMode(automatic);
  }
  const auto expectTabs = [&](std::initializer_list<ControlId> order) {
    for (ControlId expected : order) {
      h.toolkit.Tab();
      EXPECT_EQ(h.form.Focused(), expected);
    }
  };
  expectTabs({Command1, Command2, Command3, Check1, Text3, Text4, Text6, Text2, Check2});
  EXPECT_EQ(
      std::tuple(h[Text3].selLength, h[Text4].selLength, h[Text6].selLength, h[Text2].selLength),
      std::tuple(5, 2, 2, 4));
  h.toolkit.ShiftTab();
  EXPECT_EQ(h.form.Focused(), Text2);
  h.toolkit.Click(Check2);  // a fresh period of 5000 ms
  expectTabs({Command1, Command2, Command3, Check2});
  h.toolkit.Advance(4999);
  h.toolkit.Click(Command2);
  h.toolkit.Advance(10000);
  EXPECT_EQ(std::pair(h.toolkit.closed, h.toolkit.expiries), std::pair(true, 0));
  EXPECT_EQ(Contents(), Stored({"1", "alice", "pw", "", "HOME", "0"}));
}

// The registry after an apply, by OK or by the countdown. The last run has the user name's write
// fail: it ends with the message in the dialog's language, Chinese there, and nothing after the
// failed write is written, the flag included.
TEST(Apply, LeavesExactlyTheseValuesInTheRegistry) {
  const auto countdown = [](Harness& h) {
    h.toolkit.Type(Text3, u"bob");
    h.toolkit.Click(Check2);
    h.toolkit.Advance(5000);
  };
  // The stored AutoAdminLogon, what is done, the registry afterwards and the write that fails
  // (calls count from 1: 0 fails none).
  // clang-format off
  const std::tuple<const char*, void (*)(Harness&), Registry, int> cases[] = {
      // Empty texts, the password among them, delete their values; the flag is written "0".
      {"1", [](Harness& h) {
         for (ControlId id : {Text2, Text3, Text4, Text6}) h.toolkit.Type(id, u"");
         h.toolkit.Click(Command1); }, Stored({"1", "", "", kRunCommand, "", "0"}), 0},
      // Auto-logon off deletes the password and the Run entry an earlier run left.
      {"1", [](Harness& h) {
         h.Put(kRunKey, kQuendaValue, "old");
         h.toolkit.Click(Check1);
         h.toolkit.Click(Command1); }, Stored({"0", "alice", "", "", "HOME", "0"}), 0},
      // The countdown applies with both flags 1, turning a stored "0" auto-logon back on.
      {"0", countdown, Stored({"1", "bob", "pw", kRunCommand, "HOME", "1"}), 0},
      {"0", countdown, Stored({"1", "alice", "pw", "", "HOME", "0", "00000404"}), 2}};
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    const auto& [storedAutoAdminLogon, act, expected, failingWrite] = c;
    Harness h(failingWrite != 0 ? "00000404" : nullptr);
    h.StartWith(storedAutoAdminLogon, "0");
    memory::FailCall(memory::Operation::Set, failingWrite, registry::kAccessDenied);
    // The countdown stops before the first write, so no expiry comes while the message shows.
    h.platform.onMessageBox = [&](auto&) { EXPECT_FALSE(h.toolkit.TimerRunning()); };
    try {
      act(h);
    } catch (const ProcessEnded&) {
      EXPECT_EQ(h.platform.messageBoxes.at(0).text,
                u"無法操作自動登入!\r\n可能是使用者沒有系統管理權限.");
    }
    EXPECT_EQ(std::pair(h.platform.messageBoxes.empty(), h.toolkit.closed),
              std::pair(failingWrite == 0, failingWrite == 0));
    EXPECT_EQ(Contents(), expected);
  }
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
    h.toolkit.Type(Text4, u"secret");
    h.toolkit.Type(Text6, confirmation);
    const Registry before = Contents();
    h.toolkit.Click(Command1);
    const RecordedMessageBox& box = h.toolkit.messageBoxes.at(0);
    EXPECT_EQ(std::tie(box.text, box.title, box.style),
              std::tuple(chinese ? u"兩次輸入的密碼不一樣, 請再輸入一次."
                                 : u"Not Confirmed password, please keyin again.",
                         u"Quenda", 0u));
    EXPECT_EQ(std::tuple(h.form.Focused(), h[Text4].selStart, h[Text4].selLength),
              std::tuple(Text4, 0, 6));
    h.ExpectMode(false);
    h.toolkit.onMessageBox = [&, restartWhileOpen = restart](auto&) {
      if (h.toolkit.messageBoxes.size() != 2)
        return;
      h.toolkit.Advance(17000);  // three expiries, at 10000, 15000 and 20000 ms
      if (restartWhileOpen) {
        h.form.SetValue(Check2, 0);  // a fresh period, from 22000 ms
        h.form.SetValue(Check2, 1);
      }
    };
    h.toolkit.Click(Check2);
    h.toolkit.Advance(5000);
    EXPECT_EQ(std::pair(h.toolkit.expiries, h.toolkit.messageBoxes.size()),
              std::pair(4, std::size_t{restart ? 2u : 3u}));
    h.toolkit.Advance(restart ? 5000 : 3000);  // the next expiry, at 27000 or 25000 ms
    EXPECT_EQ(h.toolkit.messageBoxes.size(), restart ? 3u : 4u);
    EXPECT_EQ(Contents(), before);
    h.ExpectMode(true);
  }
}

using Paths = std::vector<std::u16string>;

// A run whose executable lies in "D:\Tools"; a file asked for there is read from a scratch
// directory of the host.
class Panel : public ::testing::Test {
 protected:
  Panel() {
    std::filesystem::create_directories(directory_);
    h.platform.executableDirectory = u"D:\\Tools";
    h.platform.mapPath = [this](std::u16string_view path) {
      return (directory_ / std::filesystem::path(path.substr(path.rfind(u'\\') + 1))).string();
    };
  }
  ~Panel() override { std::filesystem::remove_all(directory_); }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(directory_ / name, std::ios::binary) << bytes;
  }
  void Press(int times = 1) {
    for (int i = 0; i < times; ++i)
      h.toolkit.Click(Command3);
  }

  Harness h;
  const std::filesystem::path directory_ =
      std::filesystem::temp_directory_path() / ("quenda-panel-" + std::to_string(getpid()));
};

// The typical run: the first narrowing, at a width of exactly 5000, loads the readme. A readme
// beginning with "h" is read again at every narrowing; once the file is missing, the empty panel
// text stays for the rest of the run, silently. The logo's page opens, and a failed start ends
// nothing.
TEST_F(Panel, TheReadmeIsLoadedAtEachNarrowingWhileThePanelTextBeginsWithH) {
  Write("readme.txt", "hello");
  h.Start();
  EXPECT_EQ(h.form.Width(), 4020.0f);
  Press();
  EXPECT_EQ(std::tuple(h.form.Width(), h[Text1].text), std::tuple(8040.0f, kEnglishContactText));
  h.form.SetWidth(5000);
  Press();
  EXPECT_EQ(std::tuple(h.form.Width(), h[Text1].text), std::tuple(4020.0f, u"hello\r\n"));
  std::filesystem::remove(directory_ / "readme.txt");
  Press(2);
  Write("readme.txt", "here now");
  Press(4);
  EXPECT_EQ(h[Text1].text, u"");
  EXPECT_EQ(h.platform.openedPaths, Paths(2, u"D:\\Tools\\readme.txt"));
  h.platform.startProgramSucceeds = false;
  h.toolkit.Click(Image1);
  ASSERT_EQ(h.platform.startedPrograms.size(), 1u);
  EXPECT_EQ(std::pair(h.platform.startedPrograms[0].commandLine,
                      h.platform.startedPrograms[0].windowState),
            std::pair(std::u16string(u"explorer https://www.corvane.example/quenda/"), 2));
  EXPECT_TRUE(h.toolkit.messageBoxes.empty() && h.platform.messageBoxes.empty() &&
              !h.toolkit.closed);
}

// Read from a drive root, whose path already ends with its separator.
TEST_F(Panel, EveryLineEndsWithCrLfWhateverEndedItInTheFile) {
  // clang-format off
  const std::pair<std::string, std::u16string> cases[] = {
      {"", u""}, {"a\r", u"a\r\n"}, {"a\n", u"a\n\r\n"}, {"a\n\rb", u"a\n\r\nb\r\n"},
      {"\r\n\r\n", u"\r\n\r\n"}, {"x\r\r", u"x\r\n\r\n"}, {"caf\xE9\r\n", u"café\r\n"},
      // A CR LF split between two reads of the file.
      {std::string(4095, 'y') + "\r\nz", std::u16string(4095, u'y') + u"\r\nz\r\n"}};
  // clang-format on
  h.platform.executableDirectory = u"D:\\";
  h.Start();
  for (const auto& [bytes, expected] : cases) {
    Write("readme.txt", bytes);
    h.form.SetText(Text1, u"h");  // a panel text beginning with "h" loads the readme again
    Press(2);
    EXPECT_EQ(h[Text1].text, expected) << ::testing::PrintToString(bytes.substr(0, 8));
  }
  EXPECT_EQ(h.platform.openedPaths, Paths(std::size(cases), u"D:\\readme.txt"));
  EXPECT_EQ(h.platform.openFiles, 0);
}

// The Chinese set reads only its own readme, in the ANSI code page. A read that fails after the
// first one keeps the lines before it and leaves no file open; a readme not beginning with "h"
// stays for the rest of the run.
TEST_F(Panel, TheChineseSetReadsItsOwnReadmeUpToAFailedRead) {
  Write("readme.txt", "english");
  Write("readmetw.txt", "\xA4\xA4\xA4\xE5\r\n" + std::string(5000, 'x') + "\r\nlast\r\n");
  h.platform.failReadCall = 2;  // the first read ends inside the long line
  h.Put(kInternationalKey, kLocaleValue, "00000404", registry::kCurrentUser);
  h.Start();
  ASSERT_TRUE(SetAnsiCodePage("CP950"));
  Press(4);
  EXPECT_EQ(h[Text1].text, u"中文\r\n");
  EXPECT_EQ(h.platform.openedPaths, Paths{u"D:\\Tools\\readmetw.txt"});
  EXPECT_EQ(h.platform.openFiles, 0);
}

}  // namespace
}  // namespace quenda::testing
