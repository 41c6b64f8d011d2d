// End to end: the dialog at 96 and 144 DPI, English and Chinese, narrow and wide. Checks that the
// geometry follows the DPI and saves a screenshot of each state into the build folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "dialog_fixture_win32.h"
#include "quenda_run_win32.h"
#include "screenshot_win32.h"

namespace quenda::e2e {
namespace {

using C = ControlId;
using namespace std::chrono_literals;

struct ShotCase {
  int dpi;
  const wchar_t* language;  // "en" or "zh"
};

class ScreenshotE2E : public DialogTest, public testing::WithParamInterface<ShotCase> {
 protected:
  static std::wstring Folder() {
    // Beside the folder of the programs: <build>/screenshots.
    const std::wstring bin = ProgramDirectory();
    std::wstring folder = bin.substr(0, bin.find_last_of(L"\\/")) + L"\\screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
  }

  void Shoot(const QuendaRun& run, const wchar_t* width) {
    // The pointer away from the dialog, so that no tooltip covers it; then let it paint.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    std::this_thread::sleep_for(400ms);
    const std::wstring name = Folder() + L"\\quenda-" + GetParam().language + L"-" +
                              std::to_wstring(GetParam().dpi) + L"-" + width + L".bmp";
    EXPECT_TRUE(SaveScreenshot(run.Dialog(), name)) << "could not save a screenshot";
  }
};

TEST_P(ScreenshotE2E, DialogScalesWithTheDisplayDpi) {
  const int dpi = GetParam().dpi;
  WriteNumber(LogPixels(), static_cast<std::uint32_t>(dpi));
  WriteText(Locale(), std::wstring(GetParam().language) == L"zh" ? L"00000404" : L"00000409");
  WriteText(Winlogon(L"AutoAdminLogon"), L"1");
  WriteText(Winlogon(L"DefaultUserName"), L"Administrator");
  WriteText(Winlogon(L"DefaultPassword"), L"secret");
  WriteText(Winlogon(L"DefaultDomainName"), L"WORKGROUP");

  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  EXPECT_EQ(run.ClientWidth(), Pixels(3930, dpi));
  EXPECT_EQ(run.ClientHeight(), Pixels(4620, dpi));
  RECT text3{};
  GetWindowRect(run.Item(C::Text3), &text3);
  EXPECT_EQ(text3.right - text3.left, Pixels(1770 + 1905, dpi) - Pixels(1770, dpi));
  Shoot(run, L"narrow");
  run.Click(C::Command3);
  EXPECT_EQ(run.ClientWidth(), Pixels(7950, dpi));
  Shoot(run, L"wide");
  run.Click(C::Command2);
  ASSERT_TRUE(run.WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(DpiAndLanguage, ScreenshotE2E,
                         testing::Values(ShotCase{96, L"en"}, ShotCase{96, L"zh"},
                                         ShotCase{144, L"en"}, ShotCase{144, L"zh"}),
                         [](const testing::TestParamInfo<ShotCase>& shot) {
                           return std::string(shot.param.language[0] == L'e' ? "English"
                                                                             : "Chinese") +
                                  std::to_string(shot.param.dpi);
                         });

}  // namespace
}  // namespace quenda::e2e
