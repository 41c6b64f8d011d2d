// Measures quenda.exe's start-up against two floors and prints the medians:
//   styled_floor.exe    the same manifest, common controls and one tooltip control: the least any
//                       program with quenda's look must do;
//   bare_floor.exe      one plain window, nothing more.
// Each run starts one program, times CreateProcess until its visible top-level window is ready for
// input (WaitForInputIdle, then the window found), reads its peak working set while that window is
// still open, and closes it. The programs take turns, so that a slow moment of the machine falls
// on all three alike; one untimed round first brings every file into the cache.
//
//   measure_startup [runs]   (7 by default; the programs are found beside this one)
//
// Exits non-zero when a program does not show a ready window, or when quenda is grossly slower or
// bigger than the styled floor. The bounds are wide on purpose (timings under Wine on a shared
// machine scatter); the aims are 1.10x the floor's start-up time and 1.05x its peak working set.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kTimeoutMs = 20000;
// Failure bounds for quenda against the styled floor.
constexpr double kMaxStartRatio = 3.0;
constexpr double kMaxPeakRatio = 1.5;

struct Sample {
  double startMs = 0;
  double peakKb = 0;
};

struct Program {
  const char* label;
  std::wstring path;
  std::vector<Sample> samples;
};

std::wstring ProgramDirectory() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring directory(path, length);
  return directory.substr(0, directory.find_last_of(L"\\/"));
}

double Milliseconds(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

// The process's first visible window without an owner, or null.
HWND VisibleTopLevelWindowOf(DWORD processId) {
  struct Search {
    DWORD processId;
    HWND found;
  } search{processId, nullptr};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto* wanted = reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != wanted->processId || !IsWindowVisible(window) ||
            GetWindow(window, GW_OWNER) != nullptr)
          return TRUE;
        wanted->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Starts the program, waits for its window and measures; false when it never got that far.
bool Measure(const std::wstring& path, Sample& sample) {
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  LARGE_INTEGER started;
  QueryPerformanceCounter(&started);
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return false;
  WaitForInputIdle(process.hProcess, kTimeoutMs);
  HWND window = nullptr;
  const ULONGLONG deadline = GetTickCount64() + kTimeoutMs;
  while ((window = VisibleTopLevelWindowOf(process.dwProcessId)) == nullptr &&
         GetTickCount64() < deadline && WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
  }
  LARGE_INTEGER ready;
  QueryPerformanceCounter(&ready);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof(memory);
  const bool measured =
      window != nullptr && GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory));
  sample.startMs = Milliseconds(ready.QuadPart - started.QuadPart);
  sample.peakKb = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;

  if (window != nullptr)
    PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, kTimeoutMs) != WAIT_OBJECT_0)
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return measured;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::vector<double> StartTimes(const Program& program) {
  std::vector<double> values;
  for (const Sample& sample : program.samples)
    values.push_back(sample.startMs);
  return values;
}

double MedianStart(const Program& program) {
  return Median(StartTimes(program));
}

// The fastest run: what the program costs when nothing else competes for the machine.
double BestStart(const Program& program) {
  const std::vector<double> values = StartTimes(program);
  return *std::min_element(values.begin(), values.end());
}

double MedianPeak(const Program& program) {
  std::vector<double> values;
  for (const Sample& sample : program.samples)
    values.push_back(sample.peakKb);
  return Median(values);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const std::wstring directory = ProgramDirectory();
  std::vector<Program> programs{{"quenda.exe", directory + L"\\quenda.exe", {}},
                                {"styled floor", directory + L"\\styled_floor.exe", {}},
                                {"bare floor", directory + L"\\bare_floor.exe", {}}};

  for (int round = -1; round < runs; ++round) {
    for (Program& program : programs) {
      Sample sample;
      if (!Measure(program.path, sample)) {
        std::printf("FAILED: %s showed no window ready for input within %lu ms\n", program.label,
                    kTimeoutMs);
        return 1;
      }
      if (round >= 0)  // round -1 only warms the caches
        program.samples.push_back(sample);
    }
  }

  std::printf(
      "Start-up (CreateProcess to window ready for input) and peak working set, %d runs:\n"
      "  %-14s %12s %10s %12s\n",
      runs, "", "median", "(best)", "peak median");
  for (const Program& program : programs)
    std::printf("  %-14s %9.1f ms (%6.1f ms) %9.0f KB\n", program.label, MedianStart(program),
                BestStart(program), MedianPeak(program));
  const Program& quenda = programs[0];
  bool withinBounds = true;
  for (const Program* floor : {&programs[1], &programs[2]}) {
    const double startRatio = MedianStart(quenda) / MedianStart(*floor);
    const double peakRatio = MedianPeak(quenda) / MedianPeak(*floor);
    std::printf("  quenda / %-12s start %.2fx, peak working set %.2fx\n", floor->label, startRatio,
                peakRatio);
    if (floor == &programs[1] && (startRatio > kMaxStartRatio || peakRatio > kMaxPeakRatio))
      withinBounds = false;
  }
  std::printf("  (aim against the styled floor: start 1.10x, peak working set 1.05x)\n");
  if (!withinBounds) {
    std::printf(
        "FAILED: quenda exceeds %.1fx the styled floor's start-up or %.1fx its peak "
        "working set\n",
        kMaxStartRatio, kMaxPeakRatio);
    return 1;
  }
  return 0;
}
