// The end-to-end driver: starts the real quenda.exe, finds its dialog and controls, acts on them as
// a user would, and prepares and reads the registry values it works on. Windows are found by
// process, class and id; input goes in as the messages controls get from a user.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

#include "control_ids.h"
#include "settings_win32.h"

namespace quenda::e2e {

using namespace std::chrono_literals;

inline bool WaitUntil(auto condition, std::chrono::milliseconds timeout = 10s) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition() && std::chrono::steady_clock::now() < deadline)
    Sleep(10);
  return condition();
}

class QuendaRun {
 public:
  // Runs `commandLine` and waits for its dialog, which Item(ControlId::Form1) then returns. A
  // process still running at destruction is ended.
  explicit QuendaRun(std::wstring commandLine = L"\"" + ProgramDirectory() + L"\\quenda.exe\"") {
    process_.reset(StartProcess(std::move(commandLine)));
    WaitUntil([&] { return (dialog_ = FindTopLevel(win32::kDialogClassName)) != nullptr; }, 20s);
  }
  ~QuendaRun() {
    TerminateProcess(process_.get(), 99);  // fails harmlessly when the process has ended
    WaitForSingleObject(process_.get(), 5000);
  }

  HWND Item(ControlId id) const {  // Form1 is the dialog itself
    return id == ControlId::Form1 ? dialog_ : GetDlgItem(dialog_, win32::ChildIdOf(id));
  }
  std::wstring Text(ControlId id) const { return TextOf(Item(id)); }
  // Form1: its client area; a control: its place in that client area; in pixels.
  RECT Bounds(ControlId id) const {
    RECT rect{};
    if (id == ControlId::Form1)
      GetClientRect(dialog_, &rect);
    else if (GetWindowRect(Item(id), &rect))
      MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  bool WaitForFocus(ControlId id) const {
    return WaitUntil([&] { return Focus() == Item(id); });
  }
  bool HasModule(const wchar_t* name) const {
    HMODULE modules[512];
    DWORD size = 0;
    EnumProcessModules(process_.get(), modules, sizeof(modules), &size);
    return std::any_of(modules, modules + size / sizeof(HMODULE), [&](HMODULE module) {
      wchar_t loaded[MAX_PATH] = {};
      GetModuleBaseNameW(process_.get(), module, loaded, MAX_PATH);
      return _wcsicmp(loaded, name) == 0;
    });
  }
  std::size_t PeakMemory() const {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(process_.get(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
  }

  // Returns once the dialog has handled the click, so never for one that opens a message box:
  // ClickLater returns at once.
  void Click(ControlId id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
  void ClickLater(ControlId id) { PostMessageW(Item(id), BM_CLICK, 0, 0); }
  // OK, when it opens a message box: the box as AnswerMessageBox returns it.
  std::wstring AnswerOk() {
    ClickLater(ControlId::Command1);
    return AnswerMessageBox();
  }
  // Replaces a text box's text as typing would: the box reports the change to the dialog.
  void Type(ControlId id, const std::wstring& text) { SetWindowTextW(Item(id), text.c_str()); }
  // To the focused control: a key press (Enter, Esc, Tab).
  void PressKey(unsigned virtualKey) {
    PostMessageW(Focus(), WM_KEYDOWN, virtualKey, 1);
    PostMessageW(Focus(), WM_KEYUP, virtualKey, 1 | (3u << 30));
  }
  // Waits for a message box of this process and presses its OK button (found by id, not
  // caption). Returns the box as the user saw it, "title: message", with "[icon] " before the
  // message when it shows one and "(unowned)" after the title when the dialog does not own it;
  // empty when none came, or the program ended without one.
  std::wstring AnswerMessageBox() {
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindTopLevel(L"#32770")) || ExitCode() != STILL_ACTIVE; });
    if (!box)
      return {};
    std::wstring seen =
        TextOf(box) + (GetWindow(box, GW_OWNER) == dialog_ ? L": " : L" (unowned): ");
    // The message is the box's static control with text; the icon's static has none.
    for (HWND child = nullptr; (child = FindWindowExW(box, child, L"Static", nullptr));)
      seen += SendMessageW(child, STM_GETICON, 0, 0) ? L"[icon] " : TextOf(child);
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    WaitUntil([&] { return !IsWindow(box); });
    return seen;
  }
  // The exit code once the process has ended, waiting up to `timeout`; STILL_ACTIVE while it runs.
  DWORD ExitCode(std::chrono::milliseconds timeout = 0ms) const {
    return ExitCodeOf(process_.get(), static_cast<DWORD>(timeout.count()));
  }
  // Once the program has ended (waiting up to 10 s): its exit code and the values it left.
  std::tuple<DWORD, Settings> Ended() const { return {ExitCode(10s), StoredSettings()}; }

  // The focused control of the dialog's thread, where keyboard input goes; the dialog when none.
  HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info);
    return info.hwndFocus ? info.hwndFocus : dialog_;
  }

 private:
  static std::wstring TextOf(HWND window) {
    std::wstring text(1 << 18, L'\0');  // more than the panel ever holds
    text.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
  }
  // The first visible top-level window of this process whose class is `className`.
  HWND FindTopLevel(const wchar_t* className) const {
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == GetProcessId(process_.get()) && IsWindowVisible(window))
        return window;
    }
    return nullptr;
  }

  std::unique_ptr<void, decltype(&CloseHandle)> process_{nullptr, CloseHandle};
  HWND dialog_ = nullptr;
};

// quenda.exe started over a fresh system holding `stored` (see StoreSettings).
inline QuendaRun StartOver(const Settings& stored) {
  StoreSettings(stored);
  return QuendaRun();
}

}  // namespace quenda::e2e
