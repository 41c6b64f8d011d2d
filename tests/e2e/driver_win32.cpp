// Drives quenda.exe from another process: windows found by process, class and id; input sent as
// the messages controls get from a user; the registry read and written through the W entry points.
#include <windows.h>
#include <tlhelp32.h>

#include <filesystem>
#include <fstream>
#include <string_view>

#include "control_ids.h"
#include "driver_win32.h"

namespace quenda::e2e {

namespace {

// The first visible top-level window of `processId` whose class is `className`.
HWND FindTopLevel(DWORD processId, const wchar_t* className) {
  for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window))
      return window;
  }
  return nullptr;
}

// With a timeout, so that a hung dialog fails the test instead of blocking it.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
  return static_cast<LRESULT>(result);
}

// The focused control of the dialog's thread, where keyboard input goes; the dialog when none.
HWND FocusOf(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  return info.hwndFocus ? info.hwndFocus : dialog;
}

std::wstring TextOf(HWND window) {
  if (window == nullptr)
    return L"<no window>";
  std::wstring text(static_cast<std::size_t>(Send(window, WM_GETTEXTLENGTH)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

}  // namespace

std::wstring ProgramDirectory() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  return std::filesystem::path(path).parent_path().wstring();
}

std::wstring QuendaExe() {
  return ProgramDirectory() + L"\\quenda.exe";
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  for (const auto deadline = std::chrono::steady_clock::now() + timeout; !condition(); Sleep(10)) {
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
  }
  return true;
}

QuendaRun::QuendaRun(const std::wstring& exe, const wchar_t* windowClass) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  const auto start = std::chrono::steady_clock::now();
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    return;
  }
  CloseHandle(started.hThread);
  process_ = started.hProcess;
  processId_ = started.dwProcessId;
  const wchar_t* className = windowClass ? windowClass : win32::kDialogClassName;
  WaitUntil([&] { return (dialog_ = FindTopLevel(processId_, className)) != nullptr; }, 20s);
  toWindow_ = std::chrono::steady_clock::now() - start;
}

QuendaRun::~QuendaRun() {
  if (process_ == nullptr)
    return;
  TerminateProcess(process_, 99);  // fails harmlessly when the process has ended
  WaitForSingleObject(process_, 5000);
  CloseHandle(process_);
}

Window QuendaRun::Item(ControlId id) const {
  return id == ControlId::Form1 ? dialog_ : GetDlgItem(dialog_, win32::ChildIdOf(id));
}

std::wstring QuendaRun::Text(ControlId id) const {
  return TextOf(Item(id));
}

bool QuendaRun::Checked(ControlId id) const {
  return Send(Item(id), BM_GETCHECK) == BST_CHECKED;
}

bool QuendaRun::Enabled(ControlId id) const {
  return IsWindowEnabled(Item(id)) != FALSE;
}

bool QuendaRun::WaitForFocus(ControlId id) const {
  return WaitUntil([&] { return FocusOf(dialog_) == Item(id); }, 2s);
}

std::wstring QuendaRun::StaticBefore(ControlId id) const {
  HWND previous = GetWindow(Item(id), GW_HWNDPREV);
  wchar_t className[16] = {};
  GetClassNameW(previous, className, static_cast<int>(std::size(className)));
  if (previous == nullptr || !IsWindowVisible(previous) || _wcsicmp(className, L"Static") != 0)
    return L"<no visible static before it>";
  return TextOf(previous);
}

bool QuendaRun::HasModule(std::wstring_view name) const {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId_);
  MODULEENTRY32W module{};
  module.dwSize = sizeof(module);
  bool found = false;
  for (BOOL more = Module32FirstW(snapshot, &module); more && !found;
       more = Module32NextW(snapshot, &module)) {
    found = _wcsicmp(module.szModule, std::wstring(name).c_str()) == 0;
  }
  CloseHandle(snapshot);
  return found;
}

void QuendaRun::Click(ControlId id) {
  Send(Item(id), BM_CLICK);
}

void QuendaRun::Type(ControlId id, const std::wstring& text) {
  Send(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void QuendaRun::TypeChars(const std::wstring& text) {
  for (wchar_t c : text)
    PostMessageW(FocusOf(dialog_), WM_CHAR, c, 1);
}

void QuendaRun::PressKey(unsigned virtualKey) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(FocusOf(dialog_), WM_KEYDOWN, virtualKey, 1 | scan);
  PostMessageW(FocusOf(dialog_), WM_KEYUP, virtualKey, 1 | scan | (3u << 30));
}

void QuendaRun::PressAccessKey(wchar_t letter) {
  // Alt+letter arrives as WM_SYSCHAR with the context bit (Alt held) set.
  PostMessageW(FocusOf(dialog_), WM_SYSCHAR, letter, 1 | (1u << 29));
}

std::wstring QuendaRun::AnswerMessageBox(std::chrono::milliseconds timeout) {
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = FindTopLevel(processId_, L"#32770")) != nullptr; }, timeout))
    return {};
  // The message is the box's static control with text; the icon's static has none.
  std::wstring text = TextOf(box) + L": ";
  for (HWND child = nullptr; (child = FindWindowExW(box, child, L"Static", nullptr));)
    text += TextOf(child);
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  WaitUntil([&] { return !IsWindow(box); });
  return text;
}

bool QuendaRun::WaitForExit(std::chrono::milliseconds timeout) {
  return process_ != nullptr &&
         WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

unsigned long QuendaRun::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

namespace {

struct Location {
  HKEY root;
  const wchar_t* path;
  const wchar_t* name;
};

constexpr const wchar_t* kSettingNames[] = {L"AutoAdminLogon",  L"DefaultUserName",
                                            L"DefaultPassword", L"DefaultDomainName",
                                            L"Quenda",          L"Run"};

Location SettingLocation(const wchar_t* name) {
  if (std::wstring_view(name) == L"Run")
    return {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", L"Quenda"};
  return {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", name};
}

const Location kComputerName{HKEY_LOCAL_MACHINE,
                             L"System\\CurrentControlSet\\Control\\ComputerName\\ComputerName",
                             L"ComputerName"};
const Location kLocale{HKEY_CURRENT_USER, L"Control Panel\\International", L"Locale"};
const Location kLogPixels{HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels"};

// Type and bytes of a value (a small one: the tests store nothing long); false when it is missing.
bool Query(const Location& where, DWORD& type, std::vector<BYTE>& data) {
  data.resize(4096);
  DWORD size = static_cast<DWORD>(data.size());
  const LSTATUS status = RegGetValueW(where.root, where.path, where.name, RRF_RT_ANY | RRF_NOEXPAND,
                                      &type, data.data(), &size);
  data.resize(size);
  return status == ERROR_SUCCESS;
}

void Store(const Location& where, DWORD type, const void* data, std::size_t size) {
  RegSetKeyValueW(where.root, where.path, where.name, type, data, static_cast<DWORD>(size));
}

void StoreText(const Location& where, std::wstring_view text) {
  Store(where, REG_SZ, text.data(), text.size() * sizeof(wchar_t));
}

}  // namespace

Settings StoredSettings() {
  Settings settings;
  for (const wchar_t* name : kSettingNames) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!Query(SettingLocation(name), type, data))
      continue;
    // RegGetValueW ends text with a NUL even when it is stored without one, as Quenda stores it.
    settings[name] = type == REG_SZ ? std::wstring(reinterpret_cast<const wchar_t*>(data.data()))
                                    : L"<type " + std::to_wstring(type) + L">";
  }
  return settings;
}

void StoreSettings(const Settings& settings) {
  for (const wchar_t* name : kSettingNames) {
    const Location where = SettingLocation(name);
    if (const auto found = settings.find(name); found != settings.end())
      StoreText(where, found->second);
    else
      RegDeleteKeyValueW(where.root, where.path, where.name);
  }
}

void SetLocale(const wchar_t* locale) {
  StoreText(kLocale, locale);
}

void SetDpi(int dpi) {
  const DWORD value = static_cast<DWORD>(dpi);
  Store(kLogPixels, REG_DWORD, &value, sizeof(value));
}

void E2ETest::SetUp() {
  std::vector<Location> touched = {kComputerName, kLocale, kLogPixels};
  for (const wchar_t* name : kSettingNames)
    touched.push_back(SettingLocation(name));
  for (const Location& where : touched) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (Query(where, type, data))
      restore_.push_back([=] { Store(where, type, data.data(), data.size()); });
    else
      restore_.push_back([=] { RegDeleteKeyValueW(where.root, where.path, where.name); });
  }
  StoreSettings({});
  StoreText(kComputerName, kTestComputerName);
  SetLocale(L"00000409");
  SetDpi(DriverDpi());
}

void E2ETest::TearDown() {
  for (const auto& restore : restore_)
    restore();
}

int Pixels(int twips, int dpi) {
  return MulDiv(twips, dpi, 1440);
}

int DriverDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

std::wstring FileText(const std::wstring& path, unsigned codePage) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  const int size = static_cast<int>(bytes.size());
  std::wstring text(
      static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), static_cast<int>(text.size()));
  return text;
}

}  // namespace quenda::e2e
