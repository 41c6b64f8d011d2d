// Start-up time of quenda.exe next to a program that opens one plain window, in the same run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "dialog_fixture_win32.h"
#include "quenda_run_win32.h"

namespace quenda::e2e {
namespace {

using namespace std::chrono_literals;

struct Timing {
  double toIdle = 0;
  double toWindow = 0;
};

// Starts `exe` and ends it again; the times from CreateProcess to idle and to a visible window.
Timing TimeOneStart(const std::wstring& exe, const wchar_t* windowClass) {
  QuendaRun run(exe, windowClass);
  EXPECT_TRUE(run.Ready());
  return {run.TimeToIdle().count(), run.TimeToWindow().count()};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

class StartupTimeE2E : public DialogTest {};

TEST_F(StartupTimeE2E, QuendaIsReadyAboutAsSoonAsAMinimalWindow) {
  constexpr int kRounds = 5;
  const std::wstring minimal = ProgramDirectory() + L"\\minimal_window.exe";
  std::vector<double> quendaIdle, quendaWindow, minimalIdle, minimalWindow;
  // Alternating, so that both see the same state of the machine.
  for (int round = 0; round < kRounds; ++round) {
    const Timing q = TimeOneStart(QuendaExe(), nullptr);
    const Timing m = TimeOneStart(minimal, L"QuendaMinimalWindow");
    quendaIdle.push_back(q.toIdle);
    quendaWindow.push_back(q.toWindow);
    minimalIdle.push_back(m.toIdle);
    minimalWindow.push_back(m.toWindow);
  }
  std::printf(
      "start-up (median of %d): quenda.exe idle %.0f ms, window %.0f ms; "
      "minimal_window.exe idle %.0f ms, window %.0f ms\n",
      kRounds, Median(quendaIdle), Median(quendaWindow), Median(minimalIdle),
      Median(minimalWindow));
  // Generous: the point is the comparison printed above, not a benchmark gate.
  EXPECT_LT(Median(quendaWindow), Median(minimalWindow) + 2000.0);
}

}  // namespace
}  // namespace quenda::e2e
