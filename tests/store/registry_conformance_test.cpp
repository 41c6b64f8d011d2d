// The registry boundary's contract, checked the same way against whichever backend is linked:
// the substitute on the host, advapi32 under Wine. Where the two disagree, the substitute is wrong.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "raw_registry.h"
#include "registry.h"

namespace quenda {
namespace {

using namespace registry;
using testing::kScratchPath;

constexpr unsigned char kMarker = 0xAB;

class RegistryConformance : public ::testing::Test {
 protected:
  void SetUp() override { testing::ClearScratch(); }
  void TearDown() override { testing::ClearScratch(); }

  void Put(const std::string& name, std::uint32_t type, const std::string& data) {
    testing::WriteRaw(kCurrentUser, kScratchPath, name, type, data);
  }

  // A query the way the routines make it: 1024-byte buffer, type starting at 0.
  struct Query {
    Status status = kSuccess;
    std::uint32_t type = 0;
    std::uint32_t length = 1024;
    std::array<unsigned char, 1024> buffer{};
  };
  Query QueryScratch(const std::string& path, const std::string& name) {
    Query query;
    query.buffer.fill(kMarker);
    Key key = 0;
    OpenKey(kCurrentUser, path, 0, kReadAccess, &key);
    query.status = QueryValue(key, name, &query.type, query.buffer.data(), &query.length);
    CloseKey(key);
    return query;
  }
};

TEST_F(RegistryConformance, MissingKeyLeavesHandleZeroAndQueryOutputsUntouched) {
  Key key = 0;
  EXPECT_NE(OpenKey(kCurrentUser, std::string(kScratchPath) + "\\Absent", 0, kReadAccess, &key),
            kSuccess);
  EXPECT_EQ(key, 0u);

  const Query query = QueryScratch(std::string(kScratchPath) + "\\Absent", "Value");
  EXPECT_NE(query.status, kSuccess);
  EXPECT_EQ(query.type, 0u);
  EXPECT_EQ(query.length, 1024u);
  EXPECT_EQ(query.buffer[0], kMarker);
}

TEST_F(RegistryConformance, MissingValueLeavesTypeLengthAndBufferUntouched) {
  Put("Other", kTypeSz, "x");
  const Query query = QueryScratch(kScratchPath, "Value");
  EXPECT_EQ(query.status, kFileNotFound);
  EXPECT_EQ(query.type, 0u);
  EXPECT_EQ(query.length, 1024u);
  EXPECT_EQ(query.buffer[0], kMarker);
}

TEST_F(RegistryConformance, TextComesBackWithExactlyTheStoredBytes) {
  struct Case {
    const char* label;
    std::string stored;
  };
  const Case cases[] = {
      {"without a terminating NUL", std::string("abc")},
      {"with a terminating NUL", std::string("abc\0", 4)},
      {"with a NUL inside", std::string("a\0b", 3)},
      {"a single character", std::string("1")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    Put("Value", kTypeSz, c.stored);
    const Query query = QueryScratch(kScratchPath, "Value");
    ASSERT_EQ(query.status, kSuccess);
    EXPECT_EQ(query.type, kTypeSz);
    ASSERT_EQ(query.length, c.stored.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(query.buffer.data()), query.length),
              c.stored);
  }
}

TEST_F(RegistryConformance, TextWhoseNulFollowsTheDataIsStoredWithIt) {
  // Windows counts a terminating NUL the length leaves out when it follows the data in memory.
  const std::string followedByNul("abc\0", 4);
  const std::string followedByOther("abc\x01", 4);
  Key key = 0;
  const SecurityAttributes security{};
  ASSERT_EQ(
      CreateKey(kCurrentUser, kScratchPath, 0, nullptr, 0, kAllAccess, &security, &key, nullptr),
      kSuccess);
  for (std::uint32_t type : {kTypeSz, kTypeDword}) {
    SCOPED_TRACE(type);
    SetValue(key, "FollowedByNul", 0, type,
             reinterpret_cast<const unsigned char*>(followedByNul.data()), 3);
    SetValue(key, "FollowedByOther", 0, type,
             reinterpret_cast<const unsigned char*>(followedByOther.data()), 3);
    const Query withNul = QueryScratch(kScratchPath, "FollowedByNul");
    const Query withoutNul = QueryScratch(kScratchPath, "FollowedByOther");
    EXPECT_EQ(withNul.length, type == kTypeSz ? 4u : 3u);
    EXPECT_EQ(withoutNul.length, 3u);
  }
  CloseKey(key);
}

TEST_F(RegistryConformance, DataOfExactlyTheBufferSizeFitsAndOneByteMoreDoesNot) {
  Put("Fits", kTypeSz, std::string(1024, 'a'));
  const Query fits = QueryScratch(kScratchPath, "Fits");
  EXPECT_EQ(fits.status, kSuccess);
  EXPECT_EQ(fits.length, 1024u);
  EXPECT_EQ(fits.buffer[1023], 'a');

  for (std::uint32_t type : {kTypeSz, kTypeBinary}) {
    SCOPED_TRACE(type);
    Put("TooLong", type, std::string(1025, 'b'));
    const Query tooLong = QueryScratch(kScratchPath, "TooLong");
    EXPECT_EQ(tooLong.status, kMoreData);
    EXPECT_GT(tooLong.length, 1024u);
  }
}

TEST_F(RegistryConformance, NumbersAndOtherTypesKeepTheirTypeAndBytes) {
  struct Case {
    std::uint32_t type;
    std::string data;
  };
  const Case cases[] = {
      {kTypeDword, std::string("\x05\x01\x00\x00", 4)},
      {kTypeDword, std::string("\xFF\xFF\xFF\xFF", 4)},
      {kTypeBinary, std::string("\x00\x01\x02", 3)},
      {kTypeExpandSz, std::string("%TEMP%\0", 7)},
      {kTypeMultiSz, std::string("a\0b\0\0", 5)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    Put("Value", c.type, c.data);
    const Query query = QueryScratch(kScratchPath, "Value");
    ASSERT_EQ(query.status, kSuccess);
    EXPECT_EQ(query.type, c.type);
    ASSERT_EQ(query.length, c.data.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(query.buffer.data()), query.length),
              c.data);
  }
}

TEST_F(RegistryConformance, EmptyDataReportsLengthZero) {
  Put("Empty", kTypeSz, "");
  const Query query = QueryScratch(kScratchPath, "Empty");
  EXPECT_EQ(query.status, kSuccess);
  EXPECT_EQ(query.type, kTypeSz);
  EXPECT_EQ(query.length, 0u);
}

TEST_F(RegistryConformance, NamesAndPathsIgnoreCase) {
  Put("MixedCase", kTypeSz, "v");
  const Query query = QueryScratch("SOFTWARE\\QUENDA TESTS\\scratch", "mixedcase");
  EXPECT_EQ(query.status, kSuccess);
  EXPECT_EQ(query.length, 1u);
}

TEST_F(RegistryConformance, CreateMakesEveryMissingKeyAndThenOpensIt) {
  const std::string deep = std::string(kScratchPath) + "\\One\\Two";
  const SecurityAttributes security{nullptr, true};
  std::uint32_t disposition = 0;
  Key key = 0;
  ASSERT_EQ(CreateKey(kCurrentUser, deep, 0, "1", 0, kAllAccess, &security, &key, &disposition),
            kSuccess);
  EXPECT_NE(key, 0u);
  EXPECT_EQ(disposition, 1u);
  CloseKey(key);

  key = 0;
  ASSERT_EQ(CreateKey(kCurrentUser, deep, 0, "1", 0, kAllAccess, &security, &key, &disposition),
            kSuccess);
  EXPECT_EQ(disposition, 2u);
  CloseKey(key);
}

TEST_F(RegistryConformance, DeletingRemovesOnceAndReportsWhatIsMissing) {
  Put("Value", kTypeSz, "v");
  Key key = 0;
  ASSERT_EQ(OpenKey(kCurrentUser, kScratchPath, 0, kAllAccess, &key), kSuccess);
  EXPECT_EQ(DeleteValue(key, "Value"), kSuccess);
  EXPECT_EQ(DeleteValue(key, "Value"), kFileNotFound);
  CloseKey(key);
  EXPECT_FALSE(testing::ReadRaw(kCurrentUser, kScratchPath, "Value").has_value());
}

TEST_F(RegistryConformance, OperationsOnTheNullHandleFailWithoutEffect) {
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
