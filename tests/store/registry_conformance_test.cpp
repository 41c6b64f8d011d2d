// The registry boundary's contract, checked the same way against whichever backend is linked:
// the substitute on the host, advapi32 under Wine. Where the two disagree, the substitute is wrong.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>

#include "ansi_text.h"
#include "raw_registry.h"
#include "registry_boundary.h"

namespace quenda {
namespace {

using namespace registry;
using testing::kScratchPath;

// A query the way the routines make it: a 1024-byte buffer, the type starting at 0. The buffer is
// pre-filled with a marker so that untouched bytes show.
struct Query {
  Status status = kSuccess;
  std::uint32_t type = 0;
  std::uint32_t length = 1024;
  std::array<unsigned char, 1024> buffer{};
  std::string Data() const { return {reinterpret_cast<const char*>(buffer.data()), length}; }
};

Query QueryValueAt(const std::string& path, const std::string& name) {
  Query query;
  query.buffer.fill(0xAB);
  Key key = 0;
  OpenKey(kCurrentUser, path, 0, kReadAccess, &key);
  query.status = QueryValue(key, name, &query.type, query.buffer.data(), &query.length);
  CloseKey(key);
  return query;
}

class RegistryConformance : public ::testing::Test {
 protected:
  void SetUp() override { testing::ClearScratch(); }
  void TearDown() override { testing::ClearScratch(); }
};

// Stored data comes back with its type and exact bytes up to the buffer's size; beyond it the
// status says so and the length gives the size needed.
TEST_F(RegistryConformance, StoredDataComesBackExactlyOrSaysItDoesNotFit) {
  const std::tuple<std::uint32_t, std::string, Status> cases[] = {
      {kTypeSz, "abc", kSuccess},
      {kTypeSz, std::string("abc\0", 4), kSuccess},
      {kTypeSz, std::string("a\0b", 3), kSuccess},
      {kTypeSz, "", kSuccess},
      {kTypeSz, std::string(1024, 'a'), kSuccess},
      {kTypeSz, std::string(1025, 'b'), kMoreData},
      {kTypeDword, std::string("\x05\x01\x00\x00", 4), kSuccess},
      {kTypeExpandSz, std::string("%TEMP%\0", 7), kSuccess},
      {kTypeMultiSz, std::string("a\0b\0\0", 5), kSuccess},
  };
  for (const auto& [type, stored, status] : cases) {
    SCOPED_TRACE(::testing::PrintToString(stored.substr(0, 8)));
    testing::WriteRaw(kCurrentUser, kScratchPath, "Value", type, stored);
    const Query query = QueryValueAt(kScratchPath, "Value");
    EXPECT_EQ(std::tie(query.status, query.type), std::tie(status, type));
    if (status == kMoreData)
      EXPECT_GT(query.length, 1024u);  // the size needed; the buffer is not to be looked at
    else
      EXPECT_EQ(query.Data(), stored);
  }
}

// Text another program stored through the wide API reads as the ANSI entry point gives it; where
// the code page lacks characters the loss is reported rather than passed on silently.
TEST_F(RegistryConformance, WideTextReadsInTheCodePageAndALossIsReported) {
  if (ToAnsi(u"é€") != "\xE9\x80")
    GTEST_SKIP() << "needs the code page 1252";
  const std::tuple<std::u16string_view, std::string, Status> cases[] = {
      {u"café€", std::string("caf\xE9\x80\0", 6), kSuccess},
      {u"Иван€", std::string("????\x80\0", 6), kNoUnicodeTranslation},
  };
  for (const auto& [text, bytes, status] : cases) {
    testing::WriteWideText(kCurrentUser, kScratchPath, "Value", text);
    const Query query = QueryValueAt(kScratchPath, "Value");
    EXPECT_EQ(std::tuple(query.status, query.type, query.Data()),
              std::tuple(status, kTypeSz, bytes));
  }
}

// A missing key or value, and a null handle, fail and leave every output untouched; a value is
// deleted once; a text whose NUL follows it in memory is stored with it (Windows counts it).
TEST_F(RegistryConformance, MissingThingsFailWithoutEffectAndTextKeepsAFollowingNul) {
  testing::WriteRaw(kCurrentUser, kScratchPath, "Other", kTypeSz, "x");
  for (const std::string& path : {std::string(kScratchPath), std::string(kScratchPath) + "\\No"}) {
    const Query query = QueryValueAt(path, "Value");
    EXPECT_NE(query.status, kSuccess);
    EXPECT_EQ(std::tuple(query.type, query.length, query.buffer[0]), std::tuple(0u, 1024u, 0xAB));
  }
  Key key = 0;
  EXPECT_EQ(OpenKey(kCurrentUser, std::string(kScratchPath) + "\\No", 0, kReadAccess, &key),
            kFileNotFound);
  EXPECT_EQ(key, 0u);
  const auto* bytes = reinterpret_cast<const unsigned char*>("abc\0abc\x01");
  EXPECT_NE(SetValue(0, "Value", 0, kTypeSz, bytes, 1), kSuccess);
  EXPECT_NE(DeleteValue(0, "Other"), kSuccess);

  ASSERT_EQ(OpenKey(kCurrentUser, kScratchPath, 0, kAllAccess, &key), kSuccess);
  EXPECT_EQ(DeleteValue(key, "Other"), kSuccess);
  EXPECT_EQ(DeleteValue(key, "Other"), kFileNotFound);
  SetValue(key, "FollowedByNul", 0, kTypeSz, bytes, 3);
  SetValue(key, "FollowedByOther", 0, kTypeSz, bytes + 4, 3);
  SetValue(key, "Number", 0, kTypeDword, bytes, 3);
  CloseKey(key);
  EXPECT_EQ(QueryValueAt(kScratchPath, "FollowedByNul").length, 4u);
  EXPECT_EQ(QueryValueAt(kScratchPath, "FollowedByOther").length, 3u);
  EXPECT_EQ(QueryValueAt(kScratchPath, "Number").length, 3u);
}

}  // namespace
}  // namespace quenda
