// The platform services as tests see them.
//
// Message boxes are recorded (a test may react while one is "open" through onMessageBox), the end
// of the process unwinds to the test as a ProcessEnded exception, started programs are recorded,
// and files are read from the host's file system.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform.h"

namespace quenda {

// Thrown by HeadlessPlatform::EndProcess. Deliberately not a std::exception, so that the
// routines' guards against unexpected faults (which catch std::exception) let it through.
struct ProcessEnded {};

struct RecordedMessageBox {
  std::u16string text;
  std::u16string title;
  unsigned style = 0;
};

class HeadlessPlatform : public Platform {
 public:
  // Installs itself as the current platform; the destructor restores the previous one.
  HeadlessPlatform();
  ~HeadlessPlatform() override;
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  void ShowMessageBox(std::u16string_view text, std::u16string_view title, unsigned style) override;
  [[noreturn]] void EndProcess() override;
  std::u16string ExecutableDirectory() override { return executableDirectory; }
  bool StartProgram(std::u16string_view commandLine, int windowState) override;
  std::unique_ptr<InputFile> OpenForReading(std::u16string_view path) override;

  // What the code under test asked for.
  std::vector<RecordedMessageBox> messageBoxes;
  struct StartedProgram {
    std::u16string commandLine;
    int windowState = 0;
  };
  std::vector<StartedProgram> startedPrograms;
  int endProcessCalls = 0;

  // Set by the test.
  std::u16string executableDirectory = u"C:\\Tools";
  bool startProgramSucceeds = true;
  // Runs while a message box is "open", before ShowMessageBox returns.
  std::function<void(const RecordedMessageBox&)> onMessageBox;
  // Maps a Windows-style path to a host path before opening; by default the path is taken as it
  // is (converted to UTF-8).
  std::function<std::string(std::u16string_view)> mapPath;
  // Paths that OpenForReading was asked for, in order.
  std::vector<std::u16string> openedPaths;
  // Files opened through OpenForReading and not closed yet.
  int openFiles = 0;
  // When positive, the Read call with this number (counted from 1 over every file) fails.
  int failReadCall = 0;
  int readCalls = 0;

 private:
  Platform* previous_ = nullptr;
};

}  // namespace quenda
