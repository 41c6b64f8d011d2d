// The registry routines against whichever backend is linked (substitute or the real registry).
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "ansi_text.h"
#include "locations.h"
#include "raw_registry.h"
#include "registrys.h"

namespace quenda {
namespace {

using registry::kCurrentUser;
using registry::kLocalMachine;
using testing::kScratchPath;
using testing::kScratchPath16;
using testing::RawValue;
using testing::ReadRaw;

constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr char kRun[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The logon values the tests overwrite, in their key.
struct Location {
  const char* path;
  const char* name;
};
const Location kLogonValues[] = {{kWinlogon, "AutoAdminLogon"},  {kWinlogon, "DefaultUserName"},
                                 {kWinlogon, "DefaultPassword"}, {kWinlogon, "DefaultDomainName"},
                                 {kWinlogon, "Quenda"},          {kRun, "Quenda"}};

class Routines : public ::testing::Test {
 protected:
  // The logon values are cleared for each test and put back afterwards, so that running the suite
  // on a real machine leaves its automatic logon as it was.
  void SetUp() override {
    testing::ClearScratch();
    for (const Location& at : kLogonValues) {
      saved_.push_back(ReadRaw(kLocalMachine, at.path, at.name));
      testing::DeleteRaw(kLocalMachine, at.path, at.name);
    }
  }
  void TearDown() override {
    testing::ClearScratch();
    for (std::size_t i = 0; i < saved_.size(); ++i) {
      const Location& at = kLogonValues[i];
      testing::DeleteRaw(kLocalMachine, at.path, at.name);
      if (saved_[i])
        testing::WriteRaw(kLocalMachine, at.path, at.name, saved_[i]->type, saved_[i]->data);
    }
  }
  // Text as another program stored it, byte for byte.
  static RawValue Sz(const std::string& text) { return {registry::kTypeSz, text}; }
  // Text as SetValue leaves it: the routine sends no terminating NUL, but Windows stores the one
  // that follows the data in memory.
  static RawValue Written(const std::string& text) { return {registry::kTypeSz, text + '\0'}; }

 private:
  std::vector<std::optional<RawValue>> saved_;
};

TEST_F(Routines, GetValueTurnsEveryStoredFormIntoTextOrLeavesItAlone) {
  struct Case {
    const char* label;
    std::optional<RawValue> stored;          // nullopt: no such value
    std::optional<std::u16string> expected;  // nullopt: false, and the text is left as it was
  };
  const Case cases[] = {
      {"text", Sz("abc"), u"abc"},
      {"text with its NUL", Sz(std::string("abc\0", 4)), u"abc"},
      {"only one final NUL dropped", Sz(std::string("ab\0\0", 4)), std::u16string(u"ab\0", 3)},
      {"NUL inside stays", Sz(std::string("a\0b", 3)), std::u16string(u"a\0b", 3)},
      {"code page text", Sz("caf\xE9"), u"café"},
      {"number 1", RawValue{registry::kTypeDword, std::string("\x01\0\0\0", 4)}, u"1"},
      {"number 0", RawValue{registry::kTypeDword, std::string(4, '\0')}, u"0"},
      {"number 261", RawValue{registry::kTypeDword, std::string("\x05\x01\0\0", 4)}, u"261"},
      {"number 2^24", RawValue{registry::kTypeDword, std::string("\0\0\0\x01", 4)}, u"16777216"},
      {"number 2^31, unsigned", RawValue{registry::kTypeDword, std::string("\0\0\0\x80", 4)},
       u"2147483648"},
      {"expandable text", RawValue{registry::kTypeExpandSz, std::string("%X%\0", 4)}, u""},
      {"text list", RawValue{registry::kTypeMultiSz, std::string("a\0b\0\0", 5)}, u""},
      {"binary", RawValue{registry::kTypeBinary, "\x01\x02"}, u""},
      {"missing value", std::nullopt, u""},
      {"1024 bytes", Sz(std::string(1024, 'a')), std::u16string(1024, u'a')},
      {"1024 bytes with the NUL", Sz(std::string(1023, 'a') + '\0'), std::u16string(1023, u'a')},
      {"1025 bytes", Sz(std::string(1025, 'a')), std::nullopt},
      {"empty data", Sz(""), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    testing::DeleteRaw(kCurrentUser, kScratchPath, "Value");
    if (c.stored)
      testing::WriteRaw(kCurrentUser, kScratchPath, "Value", c.stored->type, c.stored->data);
    std::u16string value = u"before";
    EXPECT_EQ(GetValue(kCurrentUser, kScratchPath16, u"Value", value), c.expected.has_value());
    EXPECT_EQ(value, c.expected.value_or(u"before"));
  }
  std::u16string value = u"before";
  EXPECT_TRUE(GetValue(kCurrentUser, u"Software\\Quenda Tests\\Absent", u"Value", value));
  EXPECT_EQ(value, u"");
}

// Text reads back unchanged; a text the code page cannot hold is refused, never stored as "?".
TEST_F(Routines, SetValueStoresOnlyTextThatReadsBackUnchanged) {
  for (std::u16string_view text : {u"0", u"  ", u"Administrator", u"café"}) {
    EXPECT_EQ(SetValue(kCurrentUser, kScratchPath16, u"Value", text), registry::kSuccess);
    EXPECT_EQ(ReadRaw(kCurrentUser, kScratchPath, "Value"), Written(ToAnsi(text)));
    std::u16string value;
    EXPECT_TRUE(GetValue(kCurrentUser, kScratchPath16, u"Value", value));
    EXPECT_EQ(value, text);
  }
  EXPECT_EQ(SetValue(kCurrentUser, kScratchPath16, u"Value", u"Иван"),
            registry::kNoUnicodeTranslation);
  EXPECT_EQ(ReadRaw(kCurrentUser, kScratchPath, "Value"), Written("caf\xE9"));
}

// The empty text deletes without creating a key; a value or key already gone is no failure.
TEST_F(Routines, EmptyTextDeletesWithoutCreatingAKey) {
  testing::WriteRaw(kCurrentUser, kScratchPath, "Keep", registry::kTypeSz, "k");
  testing::WriteRaw(kCurrentUser, kScratchPath, "Value", registry::kTypeSz, "old");
  EXPECT_EQ(SetValue(kCurrentUser, kScratchPath16, u"Value", u""), registry::kSuccess);
  EXPECT_FALSE(ReadRaw(kCurrentUser, kScratchPath, "Value").has_value());
  EXPECT_EQ(DeleteValue(kCurrentUser, kScratchPath16, u"Value"), registry::kSuccess);
  EXPECT_EQ(ReadRaw(kCurrentUser, kScratchPath, "Keep"), Sz("k"));

  EXPECT_EQ(SetValue(kCurrentUser, u"Software\\Quenda Tests\\Never", u"Value", u""),
            registry::kSuccess);
  registry::Key key = 0;
  EXPECT_EQ(registry::OpenKey(kCurrentUser, "Software\\Quenda Tests\\Never", 0,
                              registry::kReadAccess, &key),
            registry::kFileNotFound);
}

// A text another program stored with characters the code page lacks is read with '?' in their
// place, and said to be so.
TEST_F(Routines, GetValueTellsWhenTheStoredTextDoesNotFitTheCodePage) {
  for (const auto& [text, expected, lost] :
       {std::tuple{u"café", u"café", false}, {u"Иван", u"????", true}}) {
    testing::WriteWideText(kCurrentUser, kScratchPath, "Value", text);
    std::u16string value;
    bool unrepresentable = !lost;
    EXPECT_TRUE(GetValue(kCurrentUser, kScratchPath16, u"Value", value, &unrepresentable));
    EXPECT_EQ(std::tie(value, unrepresentable), std::tuple(expected, lost));
  }
}

TEST_F(Routines, SaveAutoLogonWritesOrRemovesEachValueByTheFlag) {
  struct Case {
    const char* label;
    std::u16string_view flag;
    TextToWrite user, password, domain;
    std::optional<RawValue> autoAdminLogon, userName, defaultPassword, domainName, runEntry;
  };
  const Case cases[] = {
      {"on", u"1", u"Admin", u"secret", u"HOME", Written("1"), Written("Admin"), Written("secret"),
       Written("HOME"), Written("C:\\Tools\\Quenda.exe")},
      {"on without a password", u"1", u"Admin", u"", u"HOME", Written("1"), Written("Admin"),
       std::nullopt, Written("HOME"), Written("C:\\Tools\\Quenda.exe")},
      {"off", u"0", u"Admin", u"secret", u"HOME", Written("0"), Written("Admin"), std::nullopt,
       Written("HOME"), std::nullopt},
      {"on, names left as stored", u"1", std::nullopt, u"secret", std::nullopt, Written("1"),
       Sz("old"), Written("secret"), Sz("old"), Written("C:\\Tools\\Quenda.exe")},
      {"off with empty names", u"0", u"", u"", u"", Written("0"), std::nullopt, std::nullopt,
       std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    // What an earlier configuration left behind.
    for (const Location& at : kLogonValues)
      testing::WriteRaw(kLocalMachine, at.path, at.name, registry::kTypeSz, "old");

    EXPECT_EQ(SaveAutoLogon(c.flag, c.user, c.password, c.domain, u"C:\\Tools\\Quenda.exe"),
              registry::kSuccess);

    EXPECT_EQ(ReadRaw(kLocalMachine, kWinlogon, "AutoAdminLogon"), c.autoAdminLogon);
    EXPECT_EQ(ReadRaw(kLocalMachine, kWinlogon, "DefaultUserName"), c.userName);
    EXPECT_EQ(ReadRaw(kLocalMachine, kWinlogon, "DefaultPassword"), c.defaultPassword);
    EXPECT_EQ(ReadRaw(kLocalMachine, kWinlogon, "DefaultDomainName"), c.domainName);
    EXPECT_EQ(ReadRaw(kLocalMachine, kRun, "Quenda"), c.runEntry);
    // The program's own flag belongs to the apply action, not to SaveAutoLogon.
    EXPECT_EQ(ReadRaw(kLocalMachine, kWinlogon, "Quenda"), Sz("old"));
  }
}

}  // namespace
}  // namespace quenda
