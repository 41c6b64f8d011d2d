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

constexpr unsigned char kMarker = 0xAB;

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
  query.buffer.fill(kMarker);
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

TEST_F(RegistryConformance, StoredDataComesBackWithItsTypeAndExactBytesUpToTheBufferSize) {
  struct Case {
    const char* label;
    std::uint32_t type;
    std::string stored;
    Status status;
  };
  const Case cases[] = {
      {"text without a NUL", kTypeSz, "abc", kSuccess},
      {"text with its NUL", kTypeSz, std::string("abc\0", 4), kSuccess},
      {"text with a NUL inside", kTypeSz, std::string("a\0b", 3), kSuccess},
      {"empty text", kTypeSz, "", kSuccess},
      {"exactly the buffer", kTypeSz, std::string(1024, 'a'), kSuccess},
      {"one byte more", kTypeSz, std::string(1025, 'b'), kMoreData},
      {"binary, one byte more", kTypeBinary, std::string(1025, 'b'), kMoreData},
      {"number", kTypeDword, std::string("\x05\x01\x00\x00", 4), kSuccess},
      {"largest number", kTypeDword, std::string(4, '\xFF'), kSuccess},
      {"binary", kTypeBinary, std::string("\x00\x01\x02", 3), kSuccess},
      {"expandable text", kTypeExpandSz, std::string("%TEMP%\0", 7), kSuccess},
      {"text list", kTypeMultiSz, std::string("a\0b\0\0", 5), kSuccess},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    testing::WriteRaw(kCurrentUser, kScratchPath, "Value", c.type, c.stored);
    const Query query = QueryValueAt(kScratchPath, "Value");
    EXPECT_EQ(query.status, c.status);
    EXPECT_EQ(query.type, c.type);
    if (c.status == kMoreData) {
      EXPECT_GT(query.length, 1024u);  // the size needed; the buffer is not to be looked at
    } else {
      EXPECT_EQ(query.Data(), c.stored);
    }
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

TEST_F(RegistryConformance, MissingKeysAndValuesLeaveEveryOutputUntouched) {
  testing::WriteRaw(kCurrentUser, kScratchPath, "Other", kTypeSz, "x");
  Key key = 0;
  EXPECT_EQ(OpenKey(kCurrentUser, std::string(kScratchPath) + "\\Absent", 0, kReadAccess, &key),
            kFileNotFound);
  EXPECT_EQ(key, 0u);
  for (const std::string& path :
       {std::string(kScratchPath), std::string(kScratchPath) + "\\Absent"}) {
    SCOPED_TRACE(path);
    const Query query = QueryValueAt(path, "Value");
    EXPECT_NE(query.status, kSuccess);
    EXPECT_EQ(query.type, 0u);
    EXPECT_EQ(query.length, 1024u);
    EXPECT_EQ(query.buffer[0], kMarker);
  }
}

TEST_F(RegistryConformance, TextWhoseNulFollowsTheDataIsStoredWithIt) {
  // Windows counts a text's terminating NUL that the length leaves out when it follows the data.
  const std::string followedByNul("abc\0", 4);
  const std::string followedByOther("abc\x01", 4);
  Key key = 0;
  const SecurityAttributes security{};
  ASSERT_EQ(
      CreateKey(kCurrentUser, kScratchPath, 0, nullptr, 0, kAllAccess, &security, &key, nullptr),
      kSuccess);
  for (std::uint32_t type : {kTypeSz, kTypeDword}) {
    SCOPED_TRACE(type);
    const auto* withNul = reinterpret_cast<const unsigned char*>(followedByNul.data());
    const auto* withOther = reinterpret_cast<const unsigned char*>(followedByOther.data());
    SetValue(key, "FollowedByNul", 0, type, withNul, 3);
    SetValue(key, "FollowedByOther", 0, type, withOther, 3);
    EXPECT_EQ(QueryValueAt(kScratchPath, "FollowedByNul").length, type == kTypeSz ? 4u : 3u);
    EXPECT_EQ(QueryValueAt(kScratchPath, "FollowedByOther").length, 3u);
  }
  CloseKey(key);
}

TEST_F(RegistryConformance, KeysAreCreatedAlongTheWayAndNamesIgnoreCase) {
  const std::string deep = std::string(kScratchPath) + "\\One\\Two";
  const SecurityAttributes security{nullptr, true};
  for (std::uint32_t expected : {1u, 2u}) {  // created, then opened
    std::uint32_t disposition = 0;
    Key key = 0;
    ASSERT_EQ(CreateKey(kCurrentUser, deep, 0, "1", 0, kAllAccess, &security, &key, &disposition),
              kSuccess);
    EXPECT_EQ(disposition, expected);
    CloseKey(key);
  }
  testing::WriteRaw(kCurrentUser, deep, "MixedCase", kTypeSz, "v");
  EXPECT_EQ(QueryValueAt("SOFTWARE\\QUENDA TESTS\\scratch\\one\\TWO", "mixedcase").Data(), "v");
}

TEST_F(RegistryConformance, DeletingRemovesOnceAndNullHandlesFailWithoutEffect) {
  testing::WriteRaw(kCurrentUser, kScratchPath, "Value", kTypeSz, "v");
  Key key = 0;
  ASSERT_EQ(OpenKey(kCurrentUser, kScratchPath, 0, kAllAccess, &key), kSuccess);
  EXPECT_EQ(DeleteValue(key, "Value"), kSuccess);
  EXPECT_EQ(DeleteValue(key, "Value"), kFileNotFound);
  CloseKey(key);
  EXPECT_FALSE(testing::ReadRaw(kCurrentUser, kScratchPath, "Value").has_value());

  std::uint32_t type = 0;
  std::uint32_t length = 1024;
  std::array<unsigned char, 1024> buffer{};
  EXPECT_NE(QueryValue(0, "Value", &type, buffer.data(), &length), kSuccess);
  EXPECT_EQ(type, 0u);
  EXPECT_EQ(length, 1024u);
  EXPECT_NE(SetValue(0, "Value", 0, kTypeSz, buffer.data(), 1), kSuccess);
  EXPECT_NE(DeleteValue(0, "Value"), kSuccess);
  EXPECT_NE(CloseKey(0), kSuccess);
}

}  // namespace
}  // namespace quenda
