// Services without a screen, for tests: everything shown, a virtual clock for the countdown, the
// user's clicks and typing, files held in memory, and a console whose input and output are strings.
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
#include "registry_memory.h"
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
  bool StartProgram(std::u16string_view, std::u16string_view, int) override { return false; }
  std::string ReadFileStart(std::u16string_view path, std::size_t limit) override {
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
    saveLockCloses.push_back(ClosedKeys());
    return !saveLockTimesOut;
  }
  void ReleaseSaveLock() override { saveLockCloses.push_back(ClosedKeys()); }
  // Every registry access ends by closing its key: the substitute registry's closes so far.
  static int ClosedKeys() {
    return registry::memory::CallCount(registry::memory::Operation::Close);
  }

  // ---- What happened ----
  std::vector<ShownMessage> messages;
  std::vector<std::u16string> questions;    // asked, in order
  std::vector<std::u16string> logonsTried;  // "domain\user:password", in order
  // ClosedKeys() at each try to take the save lock and at each giving back, in turn.
  std::vector<int> saveLockCloses;

  // ---- Set by the test ----
  std::u16string executableDirectory = u"C:\\Tools";
  std::map<std::u16string, std::u16string> shortPaths;  // folder -> its short name
  // Runs while a message is "open", before ShowMessage returns.
  std::function<void(const ShownMessage&)> onMessage;
  // The files ReadFileStart finds, by path; any other path cannot be opened.
  std::map<std::u16string, std::string> files;
  LogonCheck logonAnswer = LogonCheck::Accepted;  // what every TryLogon returns
  bool answerYes = false;                         // what every question is answered
  bool saveLockTimesOut = false;  // another process keeps the lock until AcquireSaveLock gives up
};

class HeadlessServices : public HeadlessProcess, public WindowServices {
 public:
  // The form that receives the window's events. Must be set before any event is played.
  void Attach(Form1& form) { form_ = &form; }

  void ShowChange(ControlId, Property) override {}
  void MoveFocus(ControlId id) override { form_->FocusArrived(id); }
  void StartCountdown(int milliseconds) override {
    countdownRunning = !closed;
    period_ = milliseconds;
    nextExpiry_ = now_ + milliseconds;
  }
  void StopCountdown() override { countdownRunning = false; }
  void SetWidth(float) override {}
  void CloseDialog() override {
    closed = true;
    countdownRunning = false;
  }

  // Moves the virtual clock on; each expiry of a running countdown goes to Form1::TimerExpired.
  void Advance(int milliseconds);
  // A mouse click on the control (the focus it would take plays no part in these tests).
  void Click(ControlId id) { form_->UserClicked(id); }
  // Types `text` over the box's contents, unless the box is disabled.
  void Type(ControlId id, std::u16string text) {
    if (!closed && (*form_)[id].enabled)
      form_->UserEditedText(id, std::move(text));
  }

  int expiries = 0;  // expiries handed to the form
  bool closed = false;
  bool countdownRunning = false;

 private:
  Form1* form_ = nullptr;
  long long now_ = 0, nextExpiry_ = 0;
  int period_ = 0;
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
