// The registry routines against whichever backend is linked (substitute or the real registry).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ansi_text.h"
#include "language.h"
#include "locations.h"
#include "platform_headless.h"
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
    IsChinese = false;
  }
  void TearDown() override {
    testing::ClearScratch();
    for (std::size_t i = 0; i < saved_.size(); ++i) {
      const Location& at = kLogonValues[i];
      testing::DeleteRaw(kLocalMachine, at.path, at.name);
      if (saved_[i])
        testing::WriteRaw(kLocalMachine, at.path, at.name, saved_[i]->type, saved_[i]->data);
    }
    IsChinese = false;
  }
  // Text as another program stored it, byte for byte.
  static RawValue Sz(const std::string& text) { return {registry::kTypeSz, text}; }
  // Text as SetValue leaves it: the routine sends no terminating NUL, but Windows stores the one
  // that follows the data in memory.
  static RawValue Written(const std::string& text) { return {registry::kTypeSz, text + '\0'}; }

  HeadlessPlatform platform;

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

TEST_F(Routines, SetValueStoresTextThatReadsBackUnchanged) {
  for (std::u16string_view text : {u"0", u"  ", u"Administrator", u"café"}) {
    EXPECT_TRUE(SetValue(kCurrentUser, kScratchPath16, u"Value", text));
    EXPECT_EQ(ReadRaw(kCurrentUser, kScratchPath, "Value"), Written(ToAnsi(text)));
    std::u16string value;
    EXPECT_TRUE(GetValue(kCurrentUser, kScratchPath16, u"Value", value));
    EXPECT_EQ(value, text);
  }
  EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(Routines, EmptyTextDeletesWithoutCreatingAKeyAndDeletionsStaySilent) {
  testing::WriteRaw(kCurrentUser, kScratchPath, "Keep", registry::kTypeSz, "k");
  testing::WriteRaw(kCurrentUser, kScratchPath, "Value", registry::kTypeSz, "old");
  EXPECT_FALSE(SetValue(kCurrentUser, kScratchPath16, u"Value", u""));
  EXPECT_FALSE(ReadRaw(kCurrentUser, kScratchPath, "Value").has_value());
  DeleteValue(kCurrentUser, kScratchPath16, u"Value");
  EXPECT_EQ(ReadRaw(kCurrentUser, kScratchPath, "Keep"), Sz("k"));

  EXPECT_FALSE(SetValue(kCurrentUser, u"Software\\Quenda Tests\\Never", u"Value", u""));
  DeleteValue(kCurrentUser, u"Software\\Quenda Tests\\Absent", u"Value");
  registry::Key key = 0;
  EXPECT_EQ(registry::OpenKey(kCurrentUser, "Software\\Quenda Tests\\Never", 0,
                              registry::kReadAccess, &key),
            registry::kFileNotFound);
  EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(Routines, CheckResultShowsTheMessageInTheCurrentLanguageThenEndsTheProcess) {
  CheckResult(0);
  EXPECT_TRUE(platform.messageBoxes.empty());
  EXPECT_EQ(platform.endProcessCalls, 0);

  struct Case {
    bool chinese;
    std::u16string_view message;
  };
  const Case cases[] = {
      {false, u"Cannot operate Auto Logon!\r\nMaybe the user not administrators."},
      {true, u"無法操作自動登入!\r\n可能是使用者沒有系統管理權限."},
  };
  for (const Case& c : cases) {
    platform.messageBoxes.clear();
    IsChinese = c.chinese;
    EXPECT_THROW(CheckResult(registry::kAccessDenied), ProcessEnded);
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.messageBoxes[0].text, c.message);
    EXPECT_EQ(platform.messageBoxes[0].title, u"Quenda");
    EXPECT_EQ(platform.messageBoxes[0].style, 16u);
  }
}

TEST_F(Routines, SaveAutoLogonWritesOrRemovesEachValueByTheFlag) {
  platform.executableDirectory = u"C:\\Tools";
  struct Case {
    const char* label;
    std::u16string_view flag, user, password, domain;
    std::optional<RawValue> autoAdminLogon, userName, defaultPassword, domainName, runEntry;
  };
  const Case cases[] = {
      {"on", u"1", u"Admin", u"secret", u"HOME", Written("1"), Written("Admin"), Written("secret"),
       Written("HOME"), Written("C:\\Tools\\Quenda.exe")},
      {"on without a password", u"1", u"Admin", u"", u"HOME", Written("1"), Written("Admin"),
       std::nullopt, Written("HOME"), Written("C:\\Tools\\Quenda.exe")},
      {"off", u"0", u"Admin", u"secret", u"HOME", Written("0"), Written("Admin"), std::nullopt,
       Written("HOME"), std::nullopt},
      {"off with empty names", u"0", u"", u"", u"", Written("0"), std::nullopt, std::nullopt,
       std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    // What an earlier configuration left behind.
    for (const Location& at : kLogonValues)
      testing::WriteRaw(kLocalMachine, at.path, at.name, registry::kTypeSz, "old");

    EXPECT_TRUE(SaveAutoLogon(c.flag, c.user, c.password, c.domain));

    EXPECT_EQ(ReadRaw(kLocalMachine, kWinlogon, "AutoAdminLogon"), c.autoAdminLogon);
    EXPECT_EQ(ReadRaw(kLocalMachine, kWinlogon, "DefaultUserName"), c.userName);
    EXPECT_EQ(ReadRaw(kLocalMachine, kWinlogon, "DefaultPassword"), c.defaultPassword);
    EXPECT_EQ(ReadRaw(kLocalMachine, kWinlogon, "DefaultDomainName"), c.domainName);
    EXPECT_EQ(ReadRaw(kLocalMachine, kRun, "Quenda"), c.runEntry);
    // The program's own flag belongs to the apply action, not to SaveAutoLogon.
    EXPECT_EQ(ReadRaw(kLocalMachine, kWinlogon, "Quenda"), Sz("old"));
  }
  EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST(RunCommand, JoinsTheDirectoryOnceAndQuotesOnlyPathsWithBlanks) {
  struct Case {
    std::u16string_view directory;
    std::u16string_view command;
  };
  const Case cases[] = {
      {u"C:\\Tools", u"C:\\Tools\\Quenda.exe"},
      {u"D:\\", u"D:\\Quenda.exe"},
      {u"C:\\Program Files\\Quenda", u"\"C:\\Program Files\\Quenda\\Quenda.exe\""},
      {u"\\\\server\\share\\bin", u"\\\\server\\share\\bin\\Quenda.exe"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunCommandFor(c.directory), c.command);
  }
}

}  // namespace
}  // namespace quenda
