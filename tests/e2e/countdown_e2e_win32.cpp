// End to end: the automatic mode applies by itself five seconds after start-up, on the real timer.
#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include "dialog_fixture_win32.h"
#include "quenda_run_win32.h"

namespace quenda::e2e {
namespace {

using C = ControlId;
using namespace std::chrono_literals;

class CountdownE2E : public DialogTest {};

TEST_F(CountdownE2E, AutomaticModeAppliesAboutFiveSecondsAfterStartUp) {
  // "AutoAdminLogon" off but the program's flag on: the flag alone turns the logon back on.
  WriteText(Winlogon(L"DefaultUserName"), L"auto");
  WriteText(Winlogon(L"DefaultPassword"), L"pw");
  WriteText(Winlogon(L"DefaultDomainName"), L"DOM");
  WriteText(Winlogon(L"Quenda"), L"1");

  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  EXPECT_TRUE(run.Checked(C::Check1));
  EXPECT_TRUE(run.Checked(C::Check2));
  EXPECT_FALSE(run.Enabled(C::Check1));
  EXPECT_FALSE(run.Enabled(C::Text3));
  EXPECT_FALSE(run.Enabled(C::Text4));
  EXPECT_TRUE(run.Enabled(C::Check2));

  ASSERT_TRUE(run.WaitForExit(15s));
  const double startToExit = run.SinceStart().count();
  const double windowToExit = startToExit - run.TimeToWindow().count();
  std::printf("countdown: process start to exit %.0f ms, dialog shown to exit %.0f ms\n",
              startToExit, windowToExit);
  // The countdown starts while the dialog loads, before it shows.
  EXPECT_GE(startToExit, 5000.0);
  EXPECT_LT(startToExit, 9000.0);
  EXPECT_EQ(run.ExitCode(), 0u);

  EXPECT_EQ(Read(Winlogon(L"AutoAdminLogon")), L"1");
  EXPECT_EQ(Read(Winlogon(L"DefaultUserName")), L"auto");
  EXPECT_EQ(Read(Winlogon(L"DefaultPassword")), L"pw");
  EXPECT_EQ(Read(Winlogon(L"DefaultDomainName")), L"DOM");
  EXPECT_EQ(Read(Winlogon(L"Quenda")), L"1");
  EXPECT_TRUE(Read(RunEntry()));
}

TEST_F(CountdownE2E, ClearingAutomaticallyStopsTheCountdown) {
  WriteText(Winlogon(L"AutoAdminLogon"), L"1");
  WriteText(Winlogon(L"Quenda"), L"1");

  QuendaRun run;
  ASSERT_TRUE(run.Ready());
  ASSERT_TRUE(run.Checked(C::Check2));
  run.Click(C::Check2);
  EXPECT_FALSE(run.Checked(C::Check2));
  EXPECT_TRUE(run.Checked(C::Check1));
  EXPECT_TRUE(run.Enabled(C::Check1));
  EXPECT_TRUE(run.Enabled(C::Text3));

  // Well past the first expiry: still open, nothing written.
  std::this_thread::sleep_for(6500ms);
  EXPECT_TRUE(run.Running());
  EXPECT_EQ(run.WaitForMessageBox(0ms), nullptr);
  EXPECT_EQ(Read(Winlogon(L"Quenda")), L"1");
  EXPECT_FALSE(Read(RunEntry()));
  run.Click(C::Command2);
  ASSERT_TRUE(run.WaitForExit());
}

}  // namespace
}  // namespace quenda::e2e
