// The registry boundary's contract, checked the same way against whichever backend is linked:
// the substitute on the host, advapi32 under Wine. Where the two disagree, the substitute is wrong.
// What GetValue makes of each stored form is checked beside it, on both backends.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>

#include "ansi_text.h"
#include "raw_registry.h"
#include "registry_boundary.h"
#include "registrys.h"

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

// Each stored form comes back through the boundary with its type and exact bytes up to the
// buffer's size; beyond it the status says so and the length gives the size needed. On top of
// that, GetValue turns it into text or leaves it alone (nullopt: false, and the text keeps what it
// held) and says what it found: only a missing value or a faithful text may be written back. A
// text another program stored with characters the code page lacks reads with '?' for them, and
// says so.
TEST_F(RegistryConformance, StoredDataComesBackExactlyAndGetValueReadsItAsTextOrNot) {
  const auto sz = [](std::string text) { return testing::RawValue{kTypeSz, std::move(text)}; };
  const auto number = [](std::string bytes) { return testing::RawValue{kTypeDword, bytes}; };
  using enum ValueState;
  struct Case {
    std::optional<testing::RawValue> stored;
    std::optional<std::u16string> text;
    ValueState state;
  };
  const Case cases[] = {
      {sz("abc"), u"abc", Shown},
      {sz(std::string("abc\0", 4)), u"abc", Shown},
      {sz(std::string("ab\0\0", 4)), std::u16string(u"ab\0", 3), Shown},
      {sz(std::string("a\0b", 3)), std::u16string(u"a\0b", 3), Shown},
      {sz("caf\xE9"), u"café", Shown},
      {number(std::string("\x05\x01\0\0", 4)), u"261", Shown},
      {number(std::string(4, '\0')), u"0", Shown},
      {number(std::string("\0\0\0\x80", 4)), u"2147483648", Shown},
      {testing::RawValue{kTypeExpandSz, std::string("%TEMP%\0", 7)}, u"", OtherType},
      {testing::RawValue{kTypeMultiSz, std::string("a\0b\0\0", 5)}, u"", OtherType},
      {testing::RawValue{kTypeBinary, "\x01\x02"}, u"", OtherType},
      {std::nullopt, u"", Missing},
      {sz(std::string(1024, 'a')), std::u16string(1024, u'a'), Shown},
      {sz(std::string(1023, 'a') + '\0'), std::u16string(1023, u'a'), Shown},
      {sz(std::string(1025, 'a')), std::nullopt, TooLong},
      {sz(""), std::nullopt, Shown},
  };
  // What GetValue returns, the text it leaves (it held "before") and what it says it found.
  const auto read = [] {
    std::u16string value = u"before";
    ValueState state = Unreadable;
    const bool found = GetValue(kCurrentUser, testing::kScratchPath16, u"Value", value, &state);
    return std::tuple(found, value, state);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.text.value_or(u"").substr(0, 8)));
    testing::ClearScratch();
    if (c.stored) {
      testing::WriteRaw(kCurrentUser, kScratchPath, "Value", c.stored->type, c.stored->data);
      const Query query = QueryValueAt(kScratchPath, "Value");
      EXPECT_EQ(query.type, c.stored->type);
      if (c.state == TooLong)  // the size needed; the buffer is not to be looked at
        EXPECT_EQ(std::pair(query.status, query.length > 1024u), std::pair(kMoreData, true));
      else
        EXPECT_EQ(std::pair(query.status, query.Data()), std::pair(kSuccess, c.stored->data));
    }
    EXPECT_EQ(read(), std::tuple(c.text.has_value(), c.text.value_or(u"before"), c.state));
  }
  testing::WriteWideText(kCurrentUser, kScratchPath, "Value", u"Иван");
  EXPECT_EQ(read(), std::tuple(true, u"????", Unrepresentable));
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
