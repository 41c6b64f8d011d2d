// The registry boundary's contract and the routines over it, checked the same way against
// whichever backend is linked: the substitute on the host, advapi32 under Wine. Where the two
// disagree, the substitute is wrong.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>

#include "ansi_text.h"
#include "registry_boundary.h"
#include "registrys.h"
#include "scratch.h"

namespace quenda {
namespace {

using namespace registry;
using namespace std::string_literals;

constexpr char kScratch[] = "Software\\Quenda Tests\\Scratch";
constexpr char16_t kScratch16[] = u"Software\\Quenda Tests\\Scratch";

// A query the way GetValue makes it: a 1024-byte buffer pre-filled with a marker, so that untouched
// bytes show, and the type starting at 0. Its status, type and data ("" when it did not fit).
std::tuple<Status, std::uint32_t, std::string> Query(const std::string& path,
                                                     const std::string& name) {
  std::string buffer(1024, '\xAB');
  std::uint32_t type = 0, length = 1024;
  Key key = 0;
  OpenKey(kCurrentUser, path, 0, kReadAccess, &key);
  const Status status =
      QueryValue(key, name, &type, reinterpret_cast<unsigned char*>(buffer.data()), &length);
  CloseKey(key);
  buffer.resize(length > 1024 ? 0 : length);
  return {status, type, buffer};
}

// Stores exactly these bytes as another program would, creating the key. A non-NUL byte after the
// data keeps Windows from counting a terminating NUL of its own.
void WriteRaw(const std::string& path, const std::string& name, std::uint32_t type,
              const std::string& data) {
  Key key = 0;
  const SecurityAttributes security{};
  CreateKey(kCurrentUser, path, 0, nullptr, 0, kAllAccess, &security, &key, nullptr);
  const std::string padded = data + '\x01';
  SetValue(key, name, 0, type, reinterpret_cast<const unsigned char*>(padded.data()),
           static_cast<std::uint32_t>(data.size()));
  CloseKey(key);
}

// What GetValue returns, the text it leaves (it held "before") and what it says it found.
std::tuple<bool, std::u16string, ValueState> Read(std::u16string_view path, const char16_t* name) {
  std::u16string value = u"before";
  ValueState state = ValueState::Unreadable;
  const bool found = GetValue(kCurrentUser, path, name, value, &state);
  return {found, value, state};
}

class Scratch : public ::testing::Test {
 protected:
  void SetUp() override { testing::ClearScratch(); }
  void TearDown() override { testing::ClearScratch(); }
};

// Each stored form comes back through the boundary with its type and exact bytes while it fits
// the buffer; a missing value leaves every output untouched. GetValue turns it into text or leaves
// the text alone (false) and says what it found. Text another program stored through the wide API
// reads in the code page; a loss is reported, never passed on.
TEST_F(Scratch, StoredDataComesBackExactlyAndGetValueReadsItAsTextOrNot) {
  using enum ValueState;
  struct Case {
    std::uint32_t type;  // kTypeNone: nothing stored
    std::string stored;
    std::optional<std::u16string> text;
    ValueState state;
  };
  const Case cases[] = {
      {kTypeSz, "a\0\0"s, u"a\0"s, Shown},
      {kTypeSz, "", std::nullopt, Shown},
      {kTypeDword, "\x05\x01\0\x80"s, u"2147483909", Shown},  // least significant first, unsigned
      {kTypeExpandSz, "%TEMP%\0"s, u"", OtherType},
      {kTypeNone, "", u"", Missing},
      {kTypeSz, std::string(1024, 'a'), std::u16string(1024, u'a'), Shown},
      {kTypeSz, std::string(1025, 'a'), std::nullopt, TooLong},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
    testing::ClearScratch();
    WriteRaw(kScratch, "Other", kTypeSz, "x");
    if (c.type != kTypeNone)
      WriteRaw(kScratch, "Value", c.type, c.stored);
    const auto raw = c.state == Missing   ? std::tuple(kFileNotFound, 0u, std::string(1024, '\xAB'))
                     : c.state == TooLong ? std::tuple(kMoreData, c.type, ""s)
                                          : std::tuple(kSuccess, c.type, c.stored);
    EXPECT_EQ(Query(kScratch, "Value"), raw);
    EXPECT_EQ(Read(kScratch16, u"Value"),
              std::tuple(c.text.has_value(), c.text.value_or(u"before"), c.state));
  }
  EXPECT_EQ(Read(kScratch16 + u"\\No"s, u"Value"), std::tuple(true, u"", Missing));
  testing::WriteWideText(kScratch, "Value", u"Иван€");
  EXPECT_EQ(Query(kScratch, "Value"), std::tuple(kNoUnicodeTranslation, kTypeSz, "????\x80\0"s));
  EXPECT_EQ(Read(kScratch16, u"Value"), std::tuple(true, u"????\x20AC", Unrepresentable));
}

// SetValue stores only text that reads back unchanged, with the NUL that follows it in memory
// (Windows counts it); a text the code page cannot hold is refused, never stored as "?". The empty
// text deletes, also a value or key already gone.
TEST_F(Scratch, SetValueStoresOnlyTextThatReadsBackUnchanged) {
  EXPECT_EQ(SetValue(kCurrentUser, kScratch16, u"Value", u"café"), kSuccess);
  EXPECT_EQ(SetValue(kCurrentUser, kScratch16, u"Value", u"Иван"), kNoUnicodeTranslation);
  EXPECT_EQ(Query(kScratch, "Value"), std::tuple(kSuccess, kTypeSz, "caf\xE9\0"s));
  for (int repeat = 0; repeat < 2; ++repeat)
    EXPECT_EQ(SetValue(kCurrentUser, kScratch16, u"Value", u""), kSuccess);
  EXPECT_EQ(std::get<0>(Query(kScratch, "Value")), kFileNotFound);
  EXPECT_EQ(SetValue(kCurrentUser, kScratch16 + u"\\Never"s, u"Value", u""), kSuccess);
}

// Big5: 中 A4 A4, 文 A4 E5, 許 B3 5C (its trail byte is a backslash). The text is stored with its
// full byte length and reads back unchanged, under a key and a name whose trail bytes look like
// backslashes; a value of more than 1024 bytes is not read even when it has fewer characters.
TEST_F(Scratch, DoubleByteChineseKeepsItsLengthAndBackslashTrailBytesSplitNothing) {
  ASSERT_TRUE(testing::UseDoubleByteCodePage()) << "the code page 950 is not in use";
  const std::u16string path = kScratch16 + u"\\許功蓋"s;
  EXPECT_EQ(SetValue(kCurrentUser, path, u"名許", u"中文許"), kSuccess);
  EXPECT_EQ(Query(ToAnsi(path), ToAnsi(u"名許")),
            std::tuple(kSuccess, kTypeSz, "\xA4\xA4\xA4\xE5\xB3\x5C\0"s));
  EXPECT_EQ(Read(path, u"名許"), std::tuple(true, u"中文許", ValueState::Shown));
  Key key = 0;
  EXPECT_EQ(OpenKey(kCurrentUser, kScratch + "\\\xB3"s, 0, kReadAccess, &key), kFileNotFound);
  WriteRaw(kScratch, "Long", kTypeSz, ToAnsi(std::u16string(513, u'中')));
  EXPECT_EQ(Read(kScratch16, u"Long"), std::tuple(false, u"before", ValueState::TooLong));
}

}  // namespace
}  // namespace quenda
