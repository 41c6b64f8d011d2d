// The end-to-end driver: starts the real quenda.exe, finds its dialog and controls, acts on them as
// a user would, and prepares and reads the registry values it works on.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "controls.h"

struct HWND__;

namespace quenda::e2e {

using Window = HWND__*;
using namespace std::chrono_literals;

// The folder of this test program; quenda.exe, its readme files and minimal_window.exe lie there.
std::wstring ProgramDirectory();
std::wstring QuendaExe();

// Polls `condition` until it holds or `timeout` has passed.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s);

class QuendaRun {
 public:
  // Starts `exe` and waits for its visible top-level window of class `windowClass` (null: the
  // dialog's class). A process still running at destruction is ended.
  explicit QuendaRun(const std::wstring& exe = QuendaExe(), const wchar_t* windowClass = nullptr);
  ~QuendaRun();
  QuendaRun(const QuendaRun&) = delete;
  QuendaRun& operator=(const QuendaRun&) = delete;

  bool Ready() const { return dialog_ != nullptr; }
  Window Item(ControlId id) const;  // Form1 is the dialog itself
  // From CreateProcess to the window being visible.
  double MsToWindow() const { return toWindow_.count(); }

  std::wstring Text(ControlId id) const;  // a caption or an edit's text, through WM_GETTEXT
  bool Checked(ControlId id) const;
  bool Enabled(ControlId id) const;
  bool WaitForFocus(ControlId id) const;  // within 2 s
  // The text of the window just before `id` in the window order (where a screen reader looks for
  // the name of an edit box) when that window is a visible static control; a marker otherwise.
  std::wstring StaticBefore(ControlId id) const;
  // Whether the process has loaded the DLL `name` ("oleaut32.dll").
  bool HasModule(std::wstring_view name) const;

  // Click returns once the dialog has handled the click, so never for a click that opens a
  // message box: post BM_CLICK for those.
  void Click(ControlId id);
  // Replaces a text box's text as typing would: the box reports the change to the dialog.
  void Type(ControlId id, const std::wstring& text);
  // Keyboard input to the focused control: characters, a key press (Enter, Esc, Tab), Alt+letter.
  void TypeChars(const std::wstring& text);
  void PressKey(unsigned virtualKey);
  void PressAccessKey(wchar_t letter);

  // Waits for a message box of this process, presses its OK button (found by id, not caption)
  // and waits for it to close. Returns "title: message", or "" when no box appeared in time.
  std::wstring AnswerMessageBox(std::chrono::milliseconds timeout = 10s);
  bool WaitForExit(std::chrono::milliseconds timeout = 10s);
  unsigned long ExitCode() const;  // STILL_ACTIVE while running

 private:
  void* process_ = nullptr;
  unsigned long processId_ = 0;
  Window dialog_ = nullptr;
  std::chrono::duration<double, std::milli> toWindow_{};
};

// Quenda's settings as stored: the Winlogon values by name, and its Run entry as "Run". Missing
// values are absent from the map.
using Settings = std::map<std::wstring, std::wstring>;
Settings StoredSettings();
// Makes the stored settings exactly `settings`: the named values written, every other deleted.
void StoreSettings(const Settings& settings);

inline constexpr wchar_t kTestComputerName[] = L"E2E-PC";
void SetLocale(const wchar_t* locale);  // "00000409" English, "00000404" Chinese (Taiwan)
void SetDpi(int dpi);                   // for the processes started from now on

// Every test starts from a fresh system: English locale, the test's computer name, the driver's
// DPI and no settings. The values it touches are put back afterwards.
class E2ETest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 private:
  std::vector<std::function<void()>> restore_;
};

int Pixels(int twips, int dpi);  // as the dialog converts them
int DriverDpi();                 // the display's DPI when this program started
// A file's whole text decoded from `codePage`; empty when it cannot be read.
std::wstring FileText(const std::wstring& path, unsigned codePage);

}  // namespace quenda::e2e
