// Drives a running quenda.exe from another process: windows found by class and id, input sent as
// the messages the controls get from a user.
#include <windows.h>

#include <thread>
#include <vector>

#include "control_ids.h"
#include "quenda_run_win32.h"

namespace quenda::e2e {

namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr auto kStartTimeout = std::chrono::seconds(20);

struct Search {
  DWORD processId = 0;
  const wchar_t* className = nullptr;
  HWND found = nullptr;
};

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The first visible top-level window of `processId` whose class is `className`.
HWND FindTopLevel(DWORD processId, const wchar_t* className) {
  Search search{processId, className, nullptr};
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto* wanted = reinterpret_cast<Search*>(parameter);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != wanted->processId || !IsWindowVisible(window) ||
            ClassOf(window) != wanted->className) {
          return TRUE;
        }
        wanted->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

std::wstring TextOf(HWND window) {
  const auto length = static_cast<std::size_t>(Send(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  const auto copied = static_cast<std::size_t>(
      Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(std::min(copied, length));
  return text;
}

}  // namespace

std::wstring ProgramDirectory() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring directory = path;
  return directory.substr(0, directory.find_last_of(L"\\/"));
}

std::wstring QuendaExe() {
  return ProgramDirectory() + L"\\quenda.exe";
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    Sleep(10);
  }
  return true;
}

QuendaRun::QuendaRun(const std::wstring& exe, const wchar_t* windowClass) {
  const wchar_t* className = windowClass ? windowClass : win32::kDialogClassName;
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  started_ = std::chrono::steady_clock::now();
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    return;
  }
  CloseHandle(started.hThread);
  process_ = started.hProcess;
  processId_ = started.dwProcessId;
  WaitForInputIdle(started.hProcess,
                   static_cast<DWORD>(std::chrono::milliseconds(kStartTimeout).count()));
  toIdle_ = std::chrono::steady_clock::now() - started_;
  WaitUntil([&] { return (dialog_ = FindTopLevel(processId_, className)) != nullptr; },
            kStartTimeout);
  toWindow_ = std::chrono::steady_clock::now() - started_;
  if (dialog_ != nullptr)
    threadId_ = GetWindowThreadProcessId(dialog_, nullptr);
}

QuendaRun::~QuendaRun() {
  if (process_ == nullptr)
    return;
  if (Running()) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

std::chrono::duration<double, std::milli> QuendaRun::SinceStart() const {
  return std::chrono::steady_clock::now() - started_;
}

Window QuendaRun::Item(ControlId id) const {
  return dialog_ ? GetDlgItem(dialog_, win32::ChildIdOf(id)) : nullptr;
}

std::wstring QuendaRun::Text(ControlId id) const {
  HWND item = id == ControlId::Form1 ? dialog_ : Item(id);
  return item ? TextOf(item) : std::wstring(L"<no window>");
}

int QuendaRun::TextLength(ControlId id) const {
  return static_cast<int>(Send(Item(id), WM_GETTEXTLENGTH, 0, 0));
}

bool QuendaRun::Checked(ControlId id) const {
  return Send(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool QuendaRun::Enabled(ControlId id) const {
  return IsWindowEnabled(Item(id)) != FALSE;
}

bool QuendaRun::HasFocus(ControlId id) const {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(threadId_, &info) && info.hwndFocus == Item(id);
}

std::pair<int, int> QuendaRun::Selection(ControlId id) const {
  const auto packed = static_cast<DWORD>(Send(Item(id), EM_GETSEL, 0, 0));
  return {LOWORD(packed), HIWORD(packed)};
}

unsigned long QuendaRun::Style(ControlId id) const {
  return static_cast<unsigned long>(
      GetWindowLongPtrW(id == ControlId::Form1 ? dialog_ : Item(id), GWL_STYLE));
}

unsigned long QuendaRun::ExStyle(ControlId id) const {
  return static_cast<unsigned long>(
      GetWindowLongPtrW(id == ControlId::Form1 ? dialog_ : Item(id), GWL_EXSTYLE));
}

int QuendaRun::ClientWidth() const {
  RECT rect{};
  GetClientRect(dialog_, &rect);
  return rect.right;
}

int QuendaRun::ClientHeight() const {
  RECT rect{};
  GetClientRect(dialog_, &rect);
  return rect.bottom;
}

int QuendaRun::OuterHeight() const {
  RECT rect{};
  GetWindowRect(dialog_, &rect);
  return rect.bottom - rect.top;
}

void QuendaRun::Click(ControlId id) {
  if (id == ControlId::Image1) {
    // The logo is no button: a press and a release of the left mouse button on it.
    Send(Item(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    Send(Item(id), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    return;
  }
  Send(Item(id), BM_CLICK, 0, 0);
}

void QuendaRun::PostClick(ControlId id) {
  PostMessageW(Item(id), BM_CLICK, 0, 0);
}

void QuendaRun::Type(ControlId id, std::wstring_view text) {
  const std::wstring copy(text);
  Send(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

Window QuendaRun::FocusOrDialog() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(threadId_, &info) && info.hwndFocus ? info.hwndFocus : dialog_;
}

void QuendaRun::TypeChars(std::wstring_view text) {
  HWND target = FocusOrDialog();
  for (wchar_t c : text)
    PostMessageW(target, WM_CHAR, c, 1);
}

void QuendaRun::PressKey(unsigned virtualKey) {
  HWND target = FocusOrDialog();
  const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  PostMessageW(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
}

void QuendaRun::PressAccessKey(wchar_t letter) {
  HWND target = FocusOrDialog();
  // The character arrives as WM_SYSCHAR with the context bit (Alt held) set.
  PostMessageW(target, WM_SYSCHAR, letter, 1 | (1u << 29));
}

void QuendaRun::PressCloseBox() {
  PostMessageW(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
}

Window QuendaRun::WaitForMessageBox(std::chrono::milliseconds timeout) const {
  HWND box = nullptr;
  WaitUntil([&] { return (box = FindTopLevel(processId_, L"#32770")) != nullptr; }, timeout);
  return box;
}

std::wstring QuendaRun::MessageBoxText(Window box) {
  // The message is the box's static control that has text (the icon's static has none).
  struct Found {
    std::wstring text;
  } found;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM parameter) -> BOOL {
        if (ClassOf(child) != L"Static")
          return TRUE;
        std::wstring text = TextOf(child);
        if (text.empty())
          return TRUE;
        reinterpret_cast<Found*>(parameter)->text = std::move(text);
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found.text;
}

std::wstring QuendaRun::Title(Window window) {
  return TextOf(window);
}

void QuendaRun::PressOk(Window box) {
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

bool QuendaRun::WaitForExit(std::chrono::milliseconds timeout) {
  return process_ != nullptr &&
         WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

bool QuendaRun::Running() const {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

unsigned long QuendaRun::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_ != nullptr)
    GetExitCodeProcess(process_, &code);
  return code;
}

}  // namespace quenda::e2e
