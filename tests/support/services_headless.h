// Services without a screen, for tests: one record of everything shown, a virtual clock for the
// countdown, focus tracking and the user's actions, files held in memory, and a console whose
// input and output are strings.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "console_commands.h"
#include "form1.h"
#include "process_services.h"
#include "window_services.h"

namespace quenda {

// Thrown by HeadlessProcess::EndProcess, so that a test sees what ran before the end.
struct ProcessEnded {
  int exitCode = 0;
};

struct ShownMessage {
  std::u16string text;
  MessageKind kind = MessageKind::Plain;
  friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

// The substitute registry's calls of all operations since its last Reset.
int RegistryCallCount();

class HeadlessProcess : public ProcessServices {
 public:
  void ShowMessage(std::u16string_view text, MessageKind kind) override {
    // A copy: the callback may show further messages, which would move the recorded ones.
    const ShownMessage shown{std::u16string(text), kind};
    messages.push_back(shown);
    if (onMessage)
      onMessage(shown);
  }
  [[noreturn]] void EndProcess(int exitCode) override { throw ProcessEnded{exitCode}; }
  std::u16string ExecutableDirectory() override { return executableDirectory; }
  std::u16string ShortPath(std::u16string_view path) override {
    const auto found = shortPaths.find(std::u16string(path));
    return found != shortPaths.end() ? found->second : std::u16string(path);
  }
  std::u16string WindowsDirectory() override { return u"C:\\Windows"; }
  bool StartProgram(std::u16string_view application, std::u16string_view line,
                    int windowState) override {
    startedPrograms.push_back({std::u16string(application), std::u16string(line), windowState});
    return startProgramSucceeds;
  }
  std::string ReadFileStart(std::u16string_view path, std::size_t limit) override {
    readPaths.emplace_back(path);
    const auto found = files.find(std::u16string(path));
    return found != files.end() ? found->second.substr(0, limit) : std::string();
  }
  LogonCheck TryLogon(std::u16string_view user, std::u16string_view domain,
                      std::u16string_view password) override {
    logonsTried.push_back(std::u16string(domain) + u"\\" + std::u16string(user) + u":" +
                          std::u16string(password));
    return logonAnswer;
  }
  bool Ask(std::u16string_view question) override {
    questions.emplace_back(question);
    return answerYes;
  }
  bool AcquireSaveLock() override {
    if (!saveLockTimesOut)
      saveLocks.push_back({RegistryCallCount()});
    return !saveLockTimesOut;
  }
  void ReleaseSaveLock() override {
    // A release without a lock held shows as a span that was never acquired.
    if (saveLocks.empty() || saveLocks.back().callsAtRelease != -1)
      saveLocks.push_back({-1});
    saveLocks.back().callsAtRelease = RegistryCallCount();
  }

  // ---- What happened ----
  std::vector<ShownMessage> messages;
  std::vector<std::u16string> questions;    // asked, in order
  std::vector<std::u16string> logonsTried;  // "domain\user:password", in order

  // Each time the save lock was held: the substitute registry's calls counted (all operations,
  // since its last Reset) when it was taken and when it was given back (-1 while still held).
  struct LockSpan {
    int callsAtAcquire = 0, callsAtRelease = -1;
    friend bool operator==(const LockSpan&, const LockSpan&) = default;
  };
  std::vector<LockSpan> saveLocks;
  struct StartedProgram {
    std::u16string application, commandLine;
    int windowState = 0;
    friend bool operator==(const StartedProgram&, const StartedProgram&) = default;
  };
  std::vector<StartedProgram> startedPrograms;
  std::vector<std::u16string> readPaths;  // files ReadFileStart was asked for

  // ---- Set by the test ----
  std::u16string executableDirectory = u"C:\\Tools";
  std::map<std::u16string, std::u16string> shortPaths;  // folder -> its short name
  bool startProgramSucceeds = true;
  // Runs while a message is "open", before ShowMessage returns.
  std::function<void(const ShownMessage&)> onMessage;
  // The files ReadFileStart finds, by path; any other path cannot be opened.
  std::map<std::u16string, std::string> files;
  LogonCheck logonAnswer = LogonCheck::Accepted;  // what every TryLogon returns
  bool answerYes = false;                         // what every question is answered
  // The save lock stays with another process until AcquireSaveLock gives up.
  bool saveLockTimesOut = false;
};

class HeadlessServices : public HeadlessProcess, public WindowServices {
 public:
  // The form that receives the window's events. Must be set before any event is played.
  void Attach(Form1& form) { form_ = &form; }

  void ShowChange(ControlId id, Property property) override { changes.push_back({id, property}); }
  void MoveFocus(ControlId id) override {
    if (!closed)
      form().FocusArrived(id);
  }
  void StartCountdown(int milliseconds) override {
    countdownRunning_ = !closed;
    period_ = milliseconds;
    nextExpiry_ = now_ + milliseconds;
  }
  void StopCountdown() override { countdownRunning_ = false; }
  void SetWidth(float) override {}
  void CloseDialog() override {
    closed = true;
    countdownRunning_ = false;
  }

  // ---- The user and the clock ----
  // Shows the dialog: the focus goes to the first control of the focus order.
  void Show() { FocusNext(ControlId::Form1, true); }
  // Moves the virtual clock on; each expiry of a running countdown goes to Form1::TimerExpired.
  void Advance(int milliseconds);
  // A mouse click: the control takes the focus when it can, then its Click event runs.
  void Click(ControlId id) {
    if (CanTakeFocus(form()[id]))
      MoveFocus(id);
    form().UserClicked(id);
  }
  // Types `text` over the box's contents. Refused (false) for a disabled or locked box.
  bool Type(ControlId id, std::u16string text) {
    const Control& box = form()[id];
    if (closed || box.kind != ControlKind::TextBox || !box.enabled || box.locked)
      return false;
    form().UserEditedText(id, std::move(text));
    return true;
  }
  // Tab or Shift+Tab, as the dialog manager moves the focus: by TabIndex, skipping controls that
  // cannot take the focus, wrapping around.
  void Tab(bool forward = true) { FocusNext(form().Focused(), forward); }

  // ---- What happened ----
  struct Change {
    ControlId id;
    Property property;
  };
  std::vector<Change> changes;
  int expiries = 0;  // expiries handed to the form
  bool closed = false;
  bool CountdownRunning() const { return countdownRunning_; }

 private:
  Form1& form() { return *form_; }
  ControlId NextInTabOrder(ControlId from, bool forward);
  void FocusNext(ControlId from, bool forward) {
    if (const ControlId next = NextInTabOrder(from, forward); next != ControlId::Form1)
      MoveFocus(next);
  }

  Form1* form_ = nullptr;
  long long now_ = 0, nextExpiry_ = 0;
  int period_ = 0;
  bool countdownRunning_ = false;
};

// A form wired to headless services, ready to Load.
struct HeadlessDialog {
  HeadlessServices services;
  Form1 form{services, services};
  HeadlessDialog() { services.Attach(form); }
};

// A console whose standard input is a string and whose output is kept.
class HeadlessConsole : public HeadlessProcess, public ConsoleIo {
 public:
  // A message is one line on standard error, as on the real console.
  void ShowMessage(std::u16string_view text, MessageKind kind) override {
    HeadlessProcess::ShowMessage(text, kind);
    error.append(text).append(u"\r\n");
  }
  void WriteOutput(std::u16string_view text) override { output += text; }
  void WriteError(std::u16string_view text) override { error += text; }
  bool InputIsConsole() override { return inputIsConsole; }
  std::optional<std::u16string> ReadHiddenLine(std::u16string_view prompt) override;
  std::string ReadInputLine() override;

  // ---- Set by the test ----
  bool inputIsConsole = false;
  std::string input;  // standard input, when it is not a console; what is left after reading
  // Lines typed at a console, in order; after the last one the input ends (Ctrl+C).
  std::vector<std::u16string> typedLines;

  // ---- What happened ----
  std::u16string output;
  std::u16string error;
};

}  // namespace quenda
