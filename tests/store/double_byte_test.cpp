// Traditional Chinese through the double-byte code page 950: full byte lengths on the way in,
// the same text on the way out, and trail bytes that look like a backslash kept inside a name.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ansi_text.h"
#include "raw_registry.h"
#include "registrys.h"

namespace quenda {
namespace {

using registry::kCurrentUser;
using testing::kScratchPath;
using testing::kScratchPath16;

class DoubleByte : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ClearScratch();
    if (!testing::UseDoubleByteCodePage()) {
      // CI runs this suite in a code page 950 environment and says so; there it must not skip.
      if (std::getenv("QUENDA_EXPECT_CP950"))
        FAIL() << "code page 950 expected but not in use";
      GTEST_SKIP() << "the system code page is not 950";
    }
  }
  void TearDown() override {
    testing::ClearScratch();
    testing::RestoreCodePage();
  }
};

TEST_F(DoubleByte, ChineseTextIsStoredWithItsFullByteLengthAndReadsBackUnchanged) {
  // Big5: 中 A4 A4, 文 A4 E5, 密 B1 4B, 碼 BD 58, 許 B3 5C (its trail byte is a backslash).
  const std::u16string text = u"中文密碼許";
  const std::string big5 = "\xA4\xA4\xA4\xE5\xB1\x4B\xBD\x58\xB3\x5C";
  EXPECT_EQ(ToAnsi(text), big5);

  EXPECT_EQ(SetValue(kCurrentUser, kScratchPath16, u"Password", text), registry::kSuccess);
  const auto stored = testing::ReadRaw(kCurrentUser, kScratchPath, "Password");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->data, big5 + '\0');  // Windows adds the NUL that follows the data

  std::u16string value;
  EXPECT_TRUE(GetValue(kCurrentUser, kScratchPath16, u"Password", value));
  EXPECT_EQ(value, text);
}

TEST_F(DoubleByte, ABackslashTrailByteDoesNotSplitAKeyOrValueName) {
  const std::u16string path = std::u16string(kScratchPath16) + u"\\許功蓋";
  EXPECT_EQ(SetValue(kCurrentUser, path, u"名許", u"值"), registry::kSuccess);
  std::u16string value;
  EXPECT_TRUE(GetValue(kCurrentUser, path, u"名許", value));
  EXPECT_EQ(value, u"值");
  // The trail byte did not create a sub-key of its own.
  registry::Key key = 0;
  EXPECT_NE(registry::OpenKey(kCurrentUser, std::string(kScratchPath) + "\\\xB3", 0,
                              registry::kReadAccess, &key),
            registry::kSuccess);
}

TEST_F(DoubleByte, AValueOfMoreThan1024BytesIsNotReadEvenWhenItHasFewerCharacters) {
  // 513 characters of two bytes each: 1026 bytes.
  testing::WriteRaw(kCurrentUser, kScratchPath, "Long", registry::kTypeSz,
                    ToAnsi(std::u16string(513, u'中')));
  std::u16string value = u"before";
  EXPECT_FALSE(GetValue(kCurrentUser, kScratchPath16, u"Long", value));
  EXPECT_EQ(value, u"before");
}

}  // namespace
}  // namespace quenda
