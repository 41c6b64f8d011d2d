// End to end: the information panel (width switch and readme) and the Chinese text set.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "dialog_fixture_win32.h"
#include "quenda_run_win32.h"

namespace quenda::e2e {
namespace {

using C = ControlId;

class PanelE2E : public DialogTest {};

// The left edge of `child` in the dialog's client area, in pixels.
int ClientLeft(const QuendaRun& run, C id) {
  RECT rect{};
  GetWindowRect(run.Item(id), &rect);
  POINT corner{rect.left, rect.top};
  ScreenToClient(run.Dialog(), &corner);
  return corner.x;
}

TEST_F(PanelE2E, AboutWidensAndNarrowsAndTheReadmeReplacesTheContactText) {
  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  const int dpi = DriverDpi();
  const int height = run.OuterHeight();
  const std::wstring contact = run.Text(C::Text1);
  EXPECT_EQ(contact.rfind(L"http", 0), 0u) << "the contact text starts with the site's address";
  // Narrow: the panel lies beyond the client area's right edge.
  EXPECT_EQ(run.ClientWidth(), Pixels(3930, dpi));
  EXPECT_GE(ClientLeft(run, C::Frame1), run.ClientWidth());
  EXPECT_GE(ClientLeft(run, C::Text1), run.ClientWidth());
  EXPECT_GE(ClientLeft(run, C::Image1), run.ClientWidth());

  run.Click(C::Command3);
  EXPECT_EQ(run.ClientWidth(), Pixels(7950, dpi));
  EXPECT_EQ(run.OuterHeight(), height);
  EXPECT_EQ(ClientLeft(run, C::Frame1), Pixels(4020, dpi));
  EXPECT_EQ(ClientLeft(run, C::Text1), Pixels(4080, dpi));
  EXPECT_EQ(run.Text(C::Text1), contact);

  run.Click(C::Command3);
  EXPECT_EQ(run.ClientWidth(), Pixels(3930, dpi));
  run.Click(C::Command3);
  EXPECT_EQ(run.ClientWidth(), Pixels(7950, dpi));
  EXPECT_EQ(run.OuterHeight(), height);
  const std::wstring readme = Decode(FileBytes(ProgramDirectory() + L"\\readme.txt"), 1252);
  ASSERT_FALSE(readme.empty());
  EXPECT_EQ(run.Text(C::Text1), readme);

  run.Click(C::Command2);
  ASSERT_TRUE(run.WaitForExit());
}

TEST_F(PanelE2E, ChineseLocaleShowsTheChineseTextSetAndMessages) {
  WriteText(Locale(), L"00000404");
  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  const std::pair<C, const wchar_t*> expected[] = {
      {C::Label1, L"電腦名稱"},
      {C::Label4, L"使用者名稱"},
      {C::Label5, L"密碼"},
      {C::Label6, L"確認密碼"},
      {C::Label3, L"網域名稱"},
      {C::Check1, L"啟動自動登入(&S)"},
      {C::Check2, L"程式自動操作(&A)"},
      {C::Command1, L"確定(&O)"},
      {C::Command2, L"取消(&C)"},
      {C::Command3, L"關於(&H)"},
      {C::Frame1, L"晨柏科技"},
      // Untouched by either set.
      {C::Label7, L"Quenda"},
      {C::Label8, L"Ver. 2.3.2"},
      {C::Label9, L"(Administrators)"},
      {C::Label2, kTestComputerName},
  };
  for (const auto& [id, text] : expected)
    EXPECT_EQ(run.Text(id), text) << "control " << static_cast<int>(id);
  const std::wstring contact = run.Text(C::Text1);
  EXPECT_EQ(contact.rfind(L"http", 0), 0u);
  EXPECT_TRUE(std::any_of(contact.begin(), contact.end(), [](wchar_t c) {
    return c >= 0x4E00 && c <= 0x9FFF;
  })) << "the Chinese contact text, copied from the hidden box";

  run.Type(C::Text4, L"a");
  run.PostClick(C::Command1);
  HWND box = run.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(QuendaRun::MessageBoxText(box), L"兩次輸入的密碼不一樣, 請再輸入一次.");
  QuendaRun::PressOk(box);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
  run.Click(C::Command2);
  ASSERT_TRUE(run.WaitForExit());
  EXPECT_FALSE(Read(Winlogon(L"AutoAdminLogon")));
}

// Cases that need the double-byte ANSI code page; the test command runs them a second time with
// LC_ALL=zh_TW.UTF-8, which gives Wine's processes code page 950.
class Cp950E2E : public DialogTest {
 protected:
  void SetUp() override {
    if (GetACP() != 950)
      GTEST_SKIP() << "needs the ANSI code page 950";
    DialogTest::SetUp();
  }
};

TEST_F(Cp950E2E, ChineseReadmeIsDecodedFromTheAnsiCodePage) {
  WriteText(Locale(), L"00000404");
  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  for (int press = 0; press < 3; ++press)
    run.Click(C::Command3);
  const std::wstring readme = Decode(FileBytes(ProgramDirectory() + L"\\readmetw.txt"), 950);
  ASSERT_FALSE(readme.empty());
  EXPECT_EQ(run.Text(C::Text1), readme);
  run.Click(C::Command2);
  ASSERT_TRUE(run.WaitForExit());
}

TEST_F(Cp950E2E, ChineseUserNameIsWrittenAndReadBack) {
  {
    QuendaRun run;
    ASSERT_TRUE(run.Ready());
    run.Click(C::Check1);
    run.Type(C::Text3, L"王小明");
    run.Type(C::Text2, L"晨柏");
    run.Click(C::Command1);
    ASSERT_TRUE(run.WaitForExit());
  }
  EXPECT_EQ(Read(Winlogon(L"DefaultUserName")), L"王小明");
  EXPECT_EQ(Read(Winlogon(L"DefaultDomainName")), L"晨柏");
  QuendaRun again;
  ASSERT_TRUE(again.Ready());
  EXPECT_EQ(again.Text(C::Text3), L"王小明");
  EXPECT_EQ(again.Text(C::Text2), L"晨柏");
  again.Click(C::Command2);
  ASSERT_TRUE(again.WaitForExit());
}

}  // namespace
}  // namespace quenda::e2e
