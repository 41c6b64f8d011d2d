// The dialog without a screen: start-up with its text sets, the two modes, the refusals of OK and
// the information panel with its readme, over the substitute registry and the headless services.
#include <tuple>

#include "harness.h"

namespace quenda::testing {
namespace {

// Only an exact "1" counts as on; the last three characters of the locale choose Chinese when
// they are "404", whose set copies the contact text from the hidden Text5. The confirmation box
// shows the password's tooltip. A user name too long to be read leaves its box empty.
TEST(StartUp, FillsTheDialogFromWhatIsStored) {
  struct Case {
    const char* autoAdminLogon;  // nullptr: absent
    const char* quendaFlag;      // nullptr: absent
    const char* locale;          // nullptr: absent
    int check1, check2;          // the boxes' values
    bool chinese;
  };
  const Case cases[] = {
      {"1", "1", "00000404", 1, 1, true},       {"0", "1", "404", 1, 1, true},
      {"1", "01", "00000804", 1, 0, false},     {" 1", " 1", "4040", 0, 0, false},
      {nullptr, nullptr, nullptr, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    Harness h(c.locale);
    h.Store(c.autoAdminLogon, c.quendaFlag, std::u16string(2000, u'u'));
    IsChinese = !c.chinese;  // start-up sets it either way
    h.form.Load();
    const auto contact = c.chinese ? kChineseContactText : kEnglishContactText;
    EXPECT_EQ(std::tuple(h[Check1].value, IsChinese, h[Text1].text),
              std::tuple(c.check1, c.chinese, contact));
    EXPECT_EQ(h[Text6].toolTipText, h[Text4].toolTipText);
    h.ExpectMode(c.check2 == 1);
    EXPECT_EQ(
        std::tie(h[Label2].caption, h[Text4].text, h[Text6].text, h[Text3].text, h[Text2].text),
        std::tuple(u"PC", u"pw", u"pw", u"", u"HOME"));
  }
}

// From the automatic mode, each step of the mode table: the box clicked, then Check1's value and
// whether the mode is automatic. Clearing Check1 leaves the automatic mode also when code clears
// it. Cancel during the countdown writes nothing, and no expiry comes after it.
TEST(Modes, EveryTransitionOfTheModeTable) {
  Harness h;
  h.StartWith("1", "1");
  const Registry before = memory::Snapshot();
  const std::tuple<ControlId, int, bool> steps[] = {
      {Check2, 1, false}, {Check1, 0, false}, {Check2, 1, true}, {Check1, 1, true}};
  for (auto [box, check1, automatic] : steps) {
    h.services.Advance(2000);  // the automatic steps together stay short of a period
    h.services.Click(box);
    EXPECT_EQ(h[Check1].value, check1);
    h.ExpectMode(automatic);
  }
  h.form.SetValue(Check1, 0);
  h.ExpectMode(false);
  h.services.Click(Check2);
  h.services.Advance(4999);
  h.services.Click(Command2);
  h.services.Advance(10000);
  EXPECT_EQ(std::tuple(memory::Snapshot(), h.services.closed, h.services.expiries),
            std::tuple(before, true, 0));
}

// What OK refuses: passwords that differ (in case, in a trailing blank), a typed user name the
// code page cannot hold. A message, the box to correct selected, nothing
// written. The password check comes again at each expiry of the automatic mode, and expiries that
// fall while its message is open come as one after it, never as a box inside the box.
TEST(Refusals, AMessageAndNothingWritten) {
  struct Case {
    ControlId box;
    std::u16string typed;
    const Bilingual& message;
    ControlId boxToCorrect;
  };
  const Case cases[] = {{Text6, u"PW", MismatchMessage, Text4},
                        {Text6, u"pw ", MismatchMessage, Text4},
                        {Text3, u"Пётр", UnrepresentableMessage, Text3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    Harness h;
    h.StartWith("1", "0");
    h.services.Type(c.box, c.typed);
    const Registry before = memory::Snapshot();
    h.services.Click(Command1);
    EXPECT_EQ(h.services.messages,
              (std::vector<ShownMessage>{{std::u16string(c.message()), MessageKind::Plain}}));
    EXPECT_EQ(std::tuple(h.form.Focused(), h[c.boxToCorrect].selLength),
              std::tuple(c.boxToCorrect, static_cast<int>(h[c.boxToCorrect].text.size())));
    h.ExpectMode(false);
    if (c.box == Text6) {
      h.services.onMessage = [&](auto&) {
        if (h.services.messages.size() == 2)
          h.services.Advance(17000);  // three expiries, at 10000, 15000 and 20000 ms
      };
      h.services.Click(Check2);
      h.services.Advance(5000);
      EXPECT_EQ(std::tuple(h.services.expiries, h.services.messages.size()), std::tuple(4, 3u));
    }
    EXPECT_EQ(memory::Snapshot(), before);
  }
}

// About widens the dialog; a narrowing at a width of exactly 5000 loads the readme, again at each
// narrowing while the panel text begins with "h". Every line then ends with CR LF whatever ended it
// in the file (a lone LF does not), and a NUL shows as a blank. Once the file is missing, the empty
// text stays. From a drive root the path keeps one separator.
TEST(Panel, TheReadmeIsLoadedAtEachNarrowingWhileThePanelTextBeginsWithH) {
  Harness h;
  h.services.executableDirectory = u"D:\\";
  h.services.files[u"D:\\readme.txt"] = std::string("hi\n\r\0", 5);
  h.form.Load();
  h.services.Click(Command3);
  EXPECT_EQ(std::tuple(h.form.Width(), h[Text1].text), std::tuple(8040.0f, kEnglishContactText));
  h.form.SetWidth(5000);
  h.services.Click(Command3);
  EXPECT_EQ(std::tuple(h.form.Width(), h[Text1].text), std::tuple(4020.0f, u"hi\n\r\n \r\n"));
  h.services.files.clear();
  for (const char* readme : {"", "here now"}) {
    if (*readme)
      h.services.files[u"D:\\readme.txt"] = readme;
    for (int i = 0; i < 2; ++i)
      h.services.Click(Command3);
    EXPECT_EQ(h[Text1].text, u"");
  }
}

}  // namespace
}  // namespace quenda::testing
