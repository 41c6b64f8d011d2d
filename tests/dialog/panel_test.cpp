// The information panel: the two widths, the readme loaded at a narrowing, and the logo's page.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "contact_texts.h"
#include "dialog_harness.h"

namespace quenda::testing {
namespace {

using enum ControlId;

// A run whose executable lies in "D:\Tools"; a file asked for there is read from a scratch
// directory of the host.
class Panel : public ::testing::Test {
 protected:
  Panel() {
    static int runs = 0;
    directory_ = std::filesystem::temp_directory_path() /
                 ("quenda-panel-" + std::to_string(getpid()) + "-" + std::to_string(++runs));
    std::filesystem::create_directories(directory_);
    h.platform.executableDirectory = u"D:\\Tools";
    h.platform.mapPath = [this](std::u16string_view path) {
      const std::u16string_view name = path.substr(path.rfind(u'\\') + 1);
      return (directory_ / std::string(name.begin(), name.end())).string();
    };
  }
  ~Panel() override { std::filesystem::remove_all(directory_); }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(directory_ / name, std::ios::binary) << bytes;
  }
  void Press(int times = 1) {
    for (int i = 0; i < times; ++i)
      h.toolkit.Click(Command3);
  }
  const std::u16string& PanelText() const { return h[Text1].text; }

  Harness h;

 private:
  std::filesystem::path directory_;
};

TEST_F(Panel, TheTypicalRunLoadsTheReadmeOnceAtTheFirstNarrowing) {
  Write("readme.txt", "a\rb\r\nc");
  h.Start();
  Press();
  EXPECT_EQ(h.form.Width(), 8040.0f);
  EXPECT_EQ(PanelText(), kEnglishContactText);
  Press();
  EXPECT_EQ(h.form.Width(), 4020.0f);
  EXPECT_EQ(PanelText(), u"a\r\nb\r\nc\r\n");
  Write("readme.txt", "changed");
  Press(4);
  EXPECT_EQ(PanelText(), u"a\r\nb\r\nc\r\n");
  EXPECT_EQ(h.platform.openedPaths, std::vector<std::u16string>{u"D:\\Tools\\readme.txt"});
  EXPECT_EQ(h.platform.openFiles, 0);
  EXPECT_TRUE(h.toolkit.messageBoxes.empty() && h.platform.messageBoxes.empty());
}

TEST_F(Panel, EveryLineEndsWithCrLfWhateverEndedItInTheFile) {
  const std::pair<std::string, std::u16string> cases[] = {
      {"", u""},
      {"a", u"a\r\n"},
      {"a\r", u"a\r\n"},
      {"a\n", u"a\n\r\n"},  // a lone LF stays in the line
      {"a\n\rb", u"a\n\r\nb\r\n"},
      {"\r\n\r\n", u"\r\n\r\n"},
      {"x\r\r", u"x\r\n\r\n"},
      {"caf\xE9\r\n", u"café\r\n"},
      // A CR LF split between two reads of the file.
      {std::string(4095, 'y') + "\r\nz", std::u16string(4095, u'y') + u"\r\nz\r\n"},
  };
  h.Start();
  for (const auto& [bytes, expected] : cases) {
    SCOPED_TRACE(::testing::PrintToString(bytes.substr(0, 8)));
    Write("readme.txt", bytes);
    h.form.SetText(Text1, u"h");  // a panel text beginning with "h" loads the readme again
    Press(2);
    EXPECT_EQ(PanelText(), expected);
  }
  EXPECT_EQ(h.platform.openFiles, 0);
}

TEST_F(Panel, AMissingReadmeEmptiesThePanelForTheRestOfTheRun) {
  h.Start();
  Press(2);  // missing
  EXPECT_EQ(PanelText(), u"");
  Write("readme.txt", "here now");
  Press(4);
  EXPECT_EQ(PanelText(), u"");
  EXPECT_EQ(h.platform.openedPaths.size(), 1u);
  EXPECT_FALSE(h.toolkit.closed);
}

TEST_F(Panel, AReadmeBeginningWithHIsReadAgainAtEveryNarrowing) {
  h.Start();
  Press();
  for (const char* contents : {"hello", "hi\r\nthere", "bye"}) {
    Write("readme.txt", contents);
    Press(2);
  }
  EXPECT_EQ(PanelText(), u"bye\r\n");
  Write("readme.txt", "hmm");
  Press(2);
  EXPECT_EQ(PanelText(), u"bye\r\n");
  EXPECT_EQ(h.platform.openedPaths.size(), 3u);
}

TEST_F(Panel, TheChineseSetReadsOnlyItsOwnReadmeInTheAnsiCodePage) {
  Write("readme.txt", "english");
  Write("readmetw.txt", "\xA4\xA4\xA4\xE5\r\n");  // "中文" in code page 950
  h.PutLocale("00000404");
  h.Start();
  ASSERT_TRUE(SetAnsiCodePage("CP950"));
  EXPECT_EQ(PanelText(), kChineseContactText);
  Press(2);
  EXPECT_EQ(PanelText(), u"中文\r\n");
  EXPECT_EQ(h.platform.openedPaths, std::vector<std::u16string>{u"D:\\Tools\\readmetw.txt"});
}

TEST_F(Panel, AWidthOf5000CountsAsWideAndADriveRootIsNotDoubled) {
  h.platform.executableDirectory = u"D:\\";
  Write("readme.txt", "x");
  h.Start();
  h.form.SetWidth(4999.5f);
  Press();
  EXPECT_EQ(h.form.Width(), 8040.0f);
  h.form.SetWidth(5000);
  Press();
  EXPECT_EQ(h.form.Width(), 4020.0f);
  EXPECT_EQ(h.platform.openedPaths, std::vector<std::u16string>{u"D:\\readme.txt"});
  EXPECT_EQ(PanelText(), u"x\r\n");
}

TEST_F(Panel, AReadFailureKeepsTheLinesBeforeItAndClosesTheFile) {
  // The first read ends inside the long line; the second one fails.
  Write("readme.txt", "first\r\n" + std::string(5000, 'x') + "\r\nlast\r\n");
  h.platform.failReadCall = 2;
  h.Start();
  Press(2);
  EXPECT_EQ(PanelText(), u"first\r\n");
  EXPECT_EQ(h.platform.openFiles, 0);
  EXPECT_EQ(h.form.Width(), 4020.0f);
}

TEST_F(Panel, TheLogoOpensTheProductPageAndAFailedStartIsIgnored) {
  h.Start();
  h.platform.startProgramSucceeds = false;
  h.toolkit.Click(Image1);
  ASSERT_EQ(h.platform.startedPrograms.size(), 1u);
  EXPECT_EQ(h.platform.startedPrograms[0].commandLine,
            u"explorer https://www.corvane.example/quenda/");
  EXPECT_EQ(h.platform.startedPrograms[0].windowState, kShowMinimized);
  EXPECT_FALSE(h.toolkit.closed);
}

}  // namespace
}  // namespace quenda::testing
