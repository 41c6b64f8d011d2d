// The Windows process services, called directly: paths, files and starting programs.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "dialog_fixture_win32.h"
#include "platform_win32.h"
#include "quenda_run_win32.h"
#include "wide_text.h"

namespace quenda::win32 {
namespace {

struct DirectoryCase {
  const char16_t* executable;
  const char16_t* directory;
};

TEST(WindowsPlatform, DirectoryOfDropsTheFileNameButKeepsADriveRoot) {
  const DirectoryCase cases[] = {
      {u"C:\\Tools\\quenda.exe", u"C:\\Tools"},
      {u"D:\\Quenda.exe", u"D:\\"},
      {u"C:\\Program Files\\Quenda\\quenda.exe", u"C:\\Program Files\\Quenda"},
      {u"\\\\server\\share\\quenda.exe", u"\\\\server\\share"},
      {u"quenda.exe", u""},
  };
  for (const auto& [executable, directory] : cases)
    EXPECT_EQ(DirectoryOf(executable), directory);
}

TEST(WindowsPlatform, ExecutableDirectoryIsTheRunningProgramsFolder) {
  WindowsPlatform platform;
  EXPECT_EQ(platform.ExecutableDirectory(), Utf16(e2e::ProgramDirectory()));
}

TEST(WindowsPlatform, OpenForReadingReadsTheWholeFileAndFailsForAMissingOne) {
  WindowsPlatform platform;
  const std::wstring path = e2e::ProgramDirectory() + L"\\readme.txt";
  auto file = platform.OpenForReading(Utf16(path));
  ASSERT_NE(file, nullptr);
  std::string content;
  std::array<char, 100> block{};
  while (auto read = file->Read(block)) {
    if (*read == 0)
      break;
    content.append(block.data(), *read);
  }
  EXPECT_EQ(content, e2e::FileBytes(path));
  EXPECT_EQ(platform.OpenForReading(Utf16(path + L".missing")), nullptr);
  EXPECT_EQ(platform.OpenForReading(Utf16(e2e::ProgramDirectory())), nullptr)
      << "a folder is no file";
}

// The first window the started program shows takes the requested state: minimized.
HWND FindMinimalWindow() {
  return FindWindowW(L"QuendaMinimalWindow", nullptr);
}

TEST(WindowsPlatform, StartProgramStartsMinimizedWithoutWaiting) {
  ASSERT_EQ(FindMinimalWindow(), nullptr);
  WindowsPlatform platform;
  const std::wstring command = L"\"" + e2e::ProgramDirectory() + L"\\minimal_window.exe\"";
  ASSERT_TRUE(platform.StartProgram(Utf16(command), 2));
  HWND window = nullptr;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (window = FindMinimalWindow()) != nullptr; }));
  EXPECT_TRUE(IsIconic(window));
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::WaitUntil([] { return FindMinimalWindow() == nullptr; }));
}

TEST(WindowsPlatform, StartProgramReportsAProgramThatCannotStart) {
  WindowsPlatform platform;
  EXPECT_FALSE(platform.StartProgram(u"no-such-program-e2e.exe", 2));
}

}  // namespace
}  // namespace quenda::win32
