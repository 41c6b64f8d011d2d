// The settings half at work: the two modes, apply and its write order, faults, mismatches, focus.
#include <functional>
#include <utility>
#include <vector>

#include "dialog_harness.h"

namespace quenda::testing {
namespace {

using enum ControlId;

const std::u16string kComputerNameEntry =
    u"HKLM\\system\\currentcontrolset\\control\\computername\\computername\\computername";

// Every row of the mode table, for the mode the dialog should be in.
void ExpectMode(const Harness& h, bool automatic) {
  EXPECT_EQ(h[Check2].value, automatic ? 1 : 0);
  EXPECT_EQ(h.toolkit.TimerRunning(), automatic);
  for (ControlId id : {Text2, Text3, Text4, Text6, Label3, Label4, Label5, Label6, Check1}) {
    EXPECT_EQ(h[id].enabled, !automatic) << NameOf(h[id]);
  }
  EXPECT_TRUE(!automatic || h[Check1].value == 1);
  EXPECT_TRUE(h[Check2].enabled && h[Command1].enabled && h[Command2].enabled);
}

// A dialog over alice / pw / HOME with the two stored flags given.
void Start(Harness& h, std::string autoAdminLogon = "1", std::string quendaFlag = "0") {
  h.PutWinlogon(kAutoAdminLogonValue, std::move(autoAdminLogon));
  h.PutWinlogon(kQuendaValue, std::move(quendaFlag));
  h.PutWinlogon(kDefaultUserNameValue, "alice");
  h.PutWinlogon(kDefaultPasswordValue, "pw");
  h.PutWinlogon(kDefaultDomainNameValue, "HOME");
  h.Start();
}

TEST(Modes, EveryTransitionOfTheModeTable) {
  Harness h;
  Start(h);
  h.toolkit.Click(Check1);  // manual: clearing Check1 changes nothing else...
  EXPECT_EQ(h[Check1].value, 0);
  ExpectMode(h, false);
  h.toolkit.Click(Check1);  // ...and ticking it again does not tick Check2
  ExpectMode(h, false);
  h.toolkit.Click(Check1);
  h.toolkit.Click(Check2);  // manual -> automatic ticks the cleared Check1
  ExpectMode(h, true);
  h.toolkit.Click(Check1);  // disabled: nothing happens
  EXPECT_FALSE(h.toolkit.Type(Text3, u"mallory"));
  ExpectMode(h, true);
  h.toolkit.Advance(3000);
  h.toolkit.Click(Check2);  // automatic -> manual: Check1 stays ticked
  ExpectMode(h, false);
  EXPECT_EQ(h[Check1].value, 1);
  h.toolkit.Advance(10000);
  EXPECT_EQ(h.toolkit.expiries, 0);
  h.toolkit.Click(Check2);  // a fresh period of 5000 ms
  h.toolkit.Advance(4999);
  EXPECT_FALSE(h.toolkit.closed);
  h.toolkit.Advance(1);
  EXPECT_TRUE(h.toolkit.closed);
}

TEST(Modes, AssigningTheValueABoxHoldsRunsNothing) {
  Harness h;
  Start(h);
  h.toolkit.changes.clear();
  h.form.SetValue(Check1, 1);
  h.form.SetValue(Check2, 0);
  EXPECT_TRUE(h.toolkit.changes.empty());
  h.form.SetValue(Check2, 1);  // a different value runs Check2_Click inside the assignment
  ExpectMode(h, true);
}

TEST(Apply, LeavesExactlyTheseValuesInTheRegistry) {
  struct Case {
    const char* name;
    std::string storedAutoAdminLogon;
    std::function<void(Harness&)> act;
    std::vector<std::pair<std::u16string_view, std::string>> expected;
  };
  const auto ok = [](Harness& h) { h.toolkit.Click(Command1); };
  // clang-format off
  const std::vector<Case> cases = {
      {"auto-logon on", "1", ok,
       {{u"autoadminlogon", "1"}, {u"defaultusername", "alice"}, {u"defaultpassword", "pw"},
        {u"run", "C:\\Tools\\Quenda.exe"}, {u"defaultdomainname", "HOME"}, {u"quenda", "0"}}},
      {"auto-logon off deletes the password and the Run entry", "1",
       [&](Harness& h) {
         h.Put(registry::kLocalMachine, kRunKey, kQuendaValue, "old");
         h.toolkit.Click(Check1);
         ok(h);
       },
       {{u"autoadminlogon", "0"}, {u"defaultusername", "alice"}, {u"defaultdomainname", "HOME"},
        {u"quenda", "0"}}},
      {"empty texts delete their values", "1",
       [&](Harness& h) {
         for (ControlId id : {Text2, Text3, Text4, Text6}) h.toolkit.Type(id, u"");
         ok(h);
       },
       {{u"autoadminlogon", "1"}, {u"run", "C:\\Tools\\Quenda.exe"}, {u"quenda", "0"}}},
      {"the countdown applies with both flags 1, restoring a cleared auto-logon", "0",
       [](Harness& h) {
         h.toolkit.Type(Text3, u"bob");
         h.toolkit.Click(Check2);
         h.toolkit.Advance(5000);
       },
       {{u"autoadminlogon", "1"}, {u"defaultusername", "bob"}, {u"defaultpassword", "pw"},
        {u"run", "C:\\Tools\\Quenda.exe"}, {u"defaultdomainname", "HOME"}, {u"quenda", "1"}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Harness h;
    Start(h, c.storedAutoAdminLogon);
    c.act(h);
    Registry expected = {{kComputerNameEntry, "PC"}};
    for (const auto& [name, data] : c.expected)
      expected[Entry(name)] = data;
    EXPECT_EQ(Contents(), expected);
    EXPECT_TRUE(h.toolkit.closed);
  }
}

TEST(Apply, AFailedWriteStopsTheSequenceWithTheMessageInTheCurrentLanguage) {
  // The writes of one apply with auto-logon on, in their order, and what each one stores.
  const std::pair<std::u16string_view, std::string> writes[] = {
      {u"autoadminlogon", "1"},       {u"defaultusername", "bob"},
      {u"defaultpassword", "new"},    {u"run", "C:\\Tools\\Quenda.exe"},
      {u"defaultdomainname", "WORK"}, {u"quenda", "0"}};
  for (bool chinese : {false, true}) {
    for (int failing = 1; failing <= 6; ++failing) {
      SCOPED_TRACE(std::to_string(failing) + (chinese ? " chinese" : " english"));
      Harness h;
      h.PutLocale(chinese ? "00000404" : "00000409");
      Start(h, "0");
      h.toolkit.Click(Check1);
      for (auto [id, text] :
           {std::pair{Text3, u"bob"}, {Text4, u"new"}, {Text6, u"new"}, {Text2, u"WORK"}}) {
        h.toolkit.Type(id, text);
      }
      memory::FailCall(memory::Operation::Set, failing, registry::kAccessDenied);
      Registry before = Contents();
      EXPECT_THROW(h.toolkit.Click(Command1), ProcessEnded);
      ASSERT_EQ(h.platform.messageBoxes.size(), 1u);
      EXPECT_EQ(h.platform.messageBoxes[0].text,
                chinese ? u"無法操作自動登入!\r\n可能是使用者沒有系統管理權限."
                        : u"Cannot operate Auto Logon!\r\nMaybe the user not administrators.");
      Registry after = Contents();
      for (int write = 0; write < 6; ++write) {
        const std::u16string entry = Entry(writes[write].first);
        const bool done = write < failing - 1;
        EXPECT_EQ(after.contains(entry), done || before.contains(entry)) << write;
        EXPECT_EQ(after[entry], done ? writes[write].second : before[entry]) << write;
      }
    }
  }
}

TEST(Apply, TheCountdownStopsBeforeTheFirstWrite) {
  Harness h;
  Start(h, "1", "1");
  memory::FailCall(memory::Operation::Create, 1, registry::kAccessDenied);
  h.platform.onMessageBox = [&](const RecordedMessageBox&) {
    EXPECT_FALSE(h.toolkit.TimerRunning());
  };
  const Registry before = Contents();
  EXPECT_THROW(h.toolkit.Advance(5000), ProcessEnded);
  EXPECT_EQ(h.platform.messageBoxes.size(), 1u);
  EXPECT_EQ(Contents(), before);
}

TEST(Mismatch, ManualModeShowsTheMessageAndSelectsThePassword) {
  struct Case {
    std::u16string password, confirmation;
    bool chinese;
  };
  for (const Case& c : std::vector<Case>{
           {u"Secret", u"secret", false}, {u"pw", u"pw ", false}, {u"pw", u"", true}}) {
    Harness h;
    h.PutLocale(c.chinese ? "00000404" : "00000409");
    Start(h);
    h.toolkit.Type(Text4, c.password);
    h.toolkit.Type(Text6, c.confirmation);
    const Registry before = Contents();
    h.toolkit.Click(Command1);
    ASSERT_EQ(h.toolkit.messageBoxes.size(), 1u);
    EXPECT_EQ(h.toolkit.messageBoxes[0].text, c.chinese
                                                  ? u"兩次輸入的密碼不一樣, 請再輸入一次."
                                                  : u"Not Confirmed password, please keyin again.");
    EXPECT_EQ(h.toolkit.messageBoxes[0].title, u"Quenda");
    EXPECT_EQ(h.toolkit.messageBoxes[0].style, kMessageOk);
    EXPECT_EQ(Contents(), before);
    EXPECT_FALSE(h.toolkit.closed);
    EXPECT_EQ(h.form.Focused(), Text4);
    EXPECT_EQ(h[Text4].selStart, 0);
    EXPECT_EQ(h[Text4].selLength, static_cast<int>(c.password.size()));
    ExpectMode(h, false);
  }
}

TEST(Mismatch, AutomaticModeRepeatsAtEachExpiryWithoutPilingUp) {
  Harness h;
  Start(h);
  h.toolkit.Type(Text6, u"typo");
  h.toolkit.Click(Check2);
  const Registry before = Contents();
  int boxesOpen = 0;
  h.toolkit.onMessageBox = [&](const RecordedMessageBox&) {
    EXPECT_EQ(++boxesOpen, 1);  // never a box inside a box
    if (h.toolkit.messageBoxes.size() == 1)
      h.toolkit.Advance(17000);  // three expiries while the first box is open
    --boxesOpen;
  };
  h.toolkit.Advance(5000);
  EXPECT_EQ(h.toolkit.expiries, 4);
  EXPECT_EQ(h.toolkit.messageBoxes.size(), 2u);  // the three held ones come as one
  h.toolkit.Advance(2999);  // the countdown keeps its rhythm: the next expiry is at 25000 ms
  EXPECT_EQ(h.toolkit.messageBoxes.size(), 2u);
  h.toolkit.Advance(1);
  EXPECT_EQ(h.toolkit.messageBoxes.size(), 3u);
  EXPECT_EQ(h.form.Focused(), Check2);  // Text4 is disabled: the focus stays
  EXPECT_EQ(Contents(), before);
  ExpectMode(h, true);
  h.toolkit.Click(Check2);
  h.toolkit.Type(Text6, u"pw");
  h.toolkit.Click(Command1);
  EXPECT_EQ(h.toolkit.messageBoxes.size(), 3u);
  EXPECT_TRUE(h.toolkit.closed);
}

TEST(Mismatch, AHeldExpiryIsDroppedWhenTheCountdownRestartsMeanwhile) {
  Harness h;
  Start(h);
  h.toolkit.Type(Text4, u"a");
  h.toolkit.Click(Check2);
  h.toolkit.onMessageBox = [&](const RecordedMessageBox&) {
    if (h.toolkit.messageBoxes.size() > 1)
      return;
    h.toolkit.Advance(5000);  // held while the box is open
    h.form.SetValue(Check2, 0);
    h.form.SetValue(Check2, 1);  // a fresh period: the held expiry belonged to the old one
  };
  h.toolkit.Click(Command1);
  h.toolkit.Advance(4999);
  EXPECT_EQ(h.toolkit.messageBoxes.size(), 1u);
  h.toolkit.Advance(1);
  EXPECT_EQ(h.toolkit.messageBoxes.size(), 2u);
}

TEST(Cancel, WritesNothingAndEndsTheCountdown) {
  Harness h;
  Start(h, "1", "1");
  const Registry before = Contents();
  h.toolkit.Click(Command2);
  h.toolkit.Advance(20000);
  h.toolkit.Click(Command1);  // no handler runs after the end
  EXPECT_TRUE(h.toolkit.closed);
  EXPECT_EQ(h.toolkit.expiries, 0);
  EXPECT_EQ(Contents(), before);
}

TEST(Focus, TabSkipsDisabledControlsAndSelectsTheBoxesItEnters) {
  Harness h;
  Start(h);
  for (ControlId expected :
       {Text3, Text4, Text6, Text2, Check2, Command1, Command2, Command3, Check1}) {
    h.toolkit.Tab();
    ASSERT_EQ(h.form.Focused(), expected);
    if (h[expected].kind == ControlKind::TextBox) {
      EXPECT_EQ(h[expected].selStart, 0);
      EXPECT_EQ(h[expected].selLength, static_cast<int>(h[expected].text.size()));
    }
  }
  h.toolkit.ShiftTab();
  EXPECT_EQ(h.form.Focused(), Command3);
  h.toolkit.Click(Check2);
  for (ControlId expected : {Command1, Command2, Command3, Check2}) {
    h.toolkit.Tab();
    EXPECT_EQ(h.form.Focused(), expected);
  }
  h.toolkit.ShiftTab();
  EXPECT_EQ(h.form.Focused(), Command3);
  EXPECT_EQ(h.form.NextInTabOrder(Text1, false), Command3);
  EXPECT_EQ(h.form.NextInTabOrder(Label1, true), Check2);
}

}  // namespace
}  // namespace quenda::testing
