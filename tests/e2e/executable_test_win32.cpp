// What quenda.exe carries, its version, icon, hand cursor and logo resources, and the way its
// dialog starts other programs and reads files.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "driver_win32.h"
#include "dialog_window_win32.h"
#include "resource_ids.h"
#include "wide_text.h"

namespace quenda::e2e {
namespace {

TEST(QuendaExecutable, CarriesVersion232TheIconTheHandCursorAndTheLogo) {
  const std::wstring exe = QuendaExe();
  std::vector<BYTE> version(GetFileVersionInfoSizeW(exe.c_str(), nullptr));
  ASSERT_TRUE(
      GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(3, 2));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), 2);

  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  const auto resource = [&](int id, const wchar_t* type) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    return std::vector<BYTE>(bytes, bytes + (found ? SizeofResource(module, found) : 0));
  };
  // The icon group: three WORDs (reserved, type, count), then 14 bytes per image: width, height,
  // colours, reserved, planes and bit count (WORDs), byte count (DWORD), resource id (WORD).
  const std::vector<BYTE> icons = resource(QUENDA_ICON, RT_GROUP_ICON);
  ASSERT_EQ(icons.size(), 6u + 2 * 14u) << "two images";
  for (const auto& [entry, width] : {std::pair{6, 32}, std::pair{20, 16}}) {
    EXPECT_EQ(icons[entry], width);
    EXPECT_EQ(icons[entry + 6], 4) << "16 colours";
  }
  // The logo: a GIF whose logical screen size, little-endian, follows the signature.
  const std::vector<BYTE> gif = resource(QUENDA_LOGO_GIF, RT_RCDATA);
  ASSERT_GE(gif.size(), 10u);
  EXPECT_EQ(std::memcmp(gif.data(), "GIF8", 4), 0);
  EXPECT_EQ(gif[6] | (gif[7] << 8), 98);
  EXPECT_EQ(gif[8] | (gif[9] << 8), 21);
  // The hand points with the tip of its index finger.
  HANDLE cursor = LoadImageW(module, MAKEINTRESOURCEW(QUENDA_HAND_CURSOR), IMAGE_CURSOR, 32, 32, 0);
  ICONINFO hand{};
  ASSERT_TRUE(cursor && GetIconInfo(static_cast<HCURSOR>(cursor), &hand));
  EXPECT_EQ(hand.xHotspot, 12u);
  EXPECT_EQ(hand.yHotspot, 1u);
  FreeLibrary(module);
}

TEST(DialogServices, StartProgramStartsMinimizedWithoutWaitingAndReportsAFailure) {
  win32::DialogWindow services(GetModuleHandleW(nullptr));
  EXPECT_FALSE(services.StartProgram(u"no-such-program-e2e.exe", 2));

  const auto minimal = [] { return FindWindowW(L"QuendaMinimalWindow", nullptr); };
  ASSERT_EQ(minimal(), nullptr);
  const std::wstring command = L"\"" + ProgramDirectory() + L"\\bare_floor.exe\"";
  ASSERT_TRUE(services.StartProgram(win32::Utf16(command), 2));
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (window = minimal()) != nullptr; }));
  EXPECT_TRUE(IsIconic(window)) << "the first window takes the requested state";
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return minimal() == nullptr; }));
}

TEST(DialogServices, ReadFileStartReadsAtMostTheLimitAndNothingFromAMissingFile) {
  win32::DialogWindow services(GetModuleHandleW(nullptr));
  const auto path = std::filesystem::temp_directory_path() / L"quenda-e2e-read.txt";
  const std::string bytes(70000, 'x');  // longer than one read of the panel's limit
  std::ofstream(path, std::ios::binary) << bytes;
  const std::u16string name = win32::Utf16(path.wstring());
  const std::pair<std::size_t, std::size_t> limitsAndSizes[] = {{0, 0}, {5, 5}, {100000, 70000}};
  for (const auto& [limit, size] : limitsAndSizes)
    EXPECT_EQ(services.ReadFileStart(name, limit), bytes.substr(0, size)) << "limit " << limit;
  std::filesystem::remove(path);
  EXPECT_EQ(services.ReadFileStart(name, 10), "");
}

}  // namespace
}  // namespace quenda::e2e
