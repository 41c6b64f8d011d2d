// The resources built into quenda.exe: version, icon, hand cursor and logo.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "quenda_run_win32.h"
#include "resource_ids.h"

namespace quenda::e2e {
namespace {

// A group-icon resource: three WORDs (reserved, type, count), then one entry per image.
#pragma pack(push, 2)
struct IconDirectoryEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)
constexpr DWORD kIconDirectoryHeader = 3 * sizeof(WORD);

class QuendaResources : public testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(QuendaExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    if (module_ != nullptr)
      FreeLibrary(module_);
  }

  const BYTE* Resource(int id, const wchar_t* type, DWORD* size) const {
    HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
    if (found == nullptr)
      return nullptr;
    *size = SizeofResource(module_, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
  }

  HMODULE module_ = nullptr;
};

TEST_F(QuendaResources, VersionIs232) {
  const std::wstring exe = QuendaExe();
  std::vector<BYTE> block(GetFileVersionInfoSizeW(exe.c_str(), nullptr));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 2);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), 3);
  EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), 2);
}

TEST_F(QuendaResources, IconHas32And16PixelImagesOf16Colours) {
  DWORD size = 0;
  const BYTE* group = Resource(QUENDA_ICON, RT_GROUP_ICON, &size);
  ASSERT_NE(group, nullptr);
  WORD count = 0;
  std::memcpy(&count, group + 2 * sizeof(WORD), sizeof(count));
  ASSERT_EQ(count, 2);
  ASSERT_EQ(size, kIconDirectoryHeader + count * sizeof(IconDirectoryEntry));
  IconDirectoryEntry entries[2];
  std::memcpy(entries, group + kIconDirectoryHeader, sizeof(entries));
  EXPECT_EQ(entries[0].width, 32);
  EXPECT_EQ(entries[1].width, 16);
  for (const IconDirectoryEntry& entry : entries)
    EXPECT_EQ(entry.bitCount, 4) << "16 colours";
}

TEST_F(QuendaResources, HandCursorPointsWithTheIndexFingerTip) {
  HANDLE cursor =
      LoadImageW(module_, MAKEINTRESOURCEW(QUENDA_HAND_CURSOR), IMAGE_CURSOR, 32, 32, 0);
  ASSERT_NE(cursor, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(static_cast<HCURSOR>(cursor), &info));
  EXPECT_EQ(info.xHotspot, 12u);
  EXPECT_EQ(info.yHotspot, 1u);
  DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr)
    DeleteObject(info.hbmColor);
  DestroyCursor(static_cast<HCURSOR>(cursor));
}

TEST_F(QuendaResources, LogoIsAGifOf98By21Pixels) {
  DWORD size = 0;
  const BYTE* gif = Resource(QUENDA_LOGO_GIF, RT_RCDATA, &size);
  ASSERT_NE(gif, nullptr);
  ASSERT_GE(size, 10u);
  EXPECT_EQ(std::memcmp(gif, "GIF8", 4), 0);
  // The logical screen size follows the signature, little-endian.
  EXPECT_EQ(gif[6] | (gif[7] << 8), 98);
  EXPECT_EQ(gif[8] | (gif[9] << 8), 21);
}

}  // namespace
}  // namespace quenda::e2e
