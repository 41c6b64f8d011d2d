// The information panel: About (Help) widens and narrows, the readme is loaded at a narrowing
// while the panel text begins with "h", and the logo opens the product's page.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "harness.h"
#include "readme.h"

namespace quenda::testing {
namespace {

using Paths = std::vector<std::u16string>;

// A run whose executable lies in "D:\Tools"; a file asked for there is read from a scratch
// directory of the host.
class Panel : public ::testing::Test {
 protected:
  Panel() {
    std::filesystem::create_directories(directory_);
    h.services.executableDirectory = u"D:\\Tools";
    h.services.mapPath = [this](std::u16string_view path) {
      return (directory_ / std::filesystem::path(path.substr(path.rfind(u'\\') + 1))).string();
    };
  }
  ~Panel() override { std::filesystem::remove_all(directory_); }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(directory_ / name, std::ios::binary) << bytes;
  }
  void Press(int times = 1) {
    for (int i = 0; i < times; ++i)
      h.services.Click(Command3);
  }

  Harness h;
  const std::filesystem::path directory_ =
      std::filesystem::temp_directory_path() / ("quenda-panel-" + std::to_string(getpid()));
};

// The typical run: the first narrowing, at a width of exactly 5000, loads the readme. A readme
// beginning with "h" is read again at every narrowing; once the file is missing, the empty panel
// text stays for the rest of the run, silently. The logo's page opens, and a failed start ends
// nothing.
TEST_F(Panel, TheReadmeIsLoadedAtEachNarrowingWhileThePanelTextBeginsWithH) {
  Write("readme.txt", "hello");
  h.Start();
  EXPECT_EQ(h.form.Width(), 4020.0f);
  Press();
  EXPECT_EQ(std::tuple(h.form.Width(), h[Text1].text), std::tuple(8040.0f, kEnglishContactText));
  h.form.SetWidth(5000);
  Press();
  EXPECT_EQ(std::tuple(h.form.Width(), h[Text1].text), std::tuple(4020.0f, u"hello\r\n"));
  std::filesystem::remove(directory_ / "readme.txt");
  Press(2);
  Write("readme.txt", "here now");
  Press(4);
  EXPECT_EQ(h[Text1].text, u"");
  EXPECT_EQ(h.services.readPaths, Paths(2, u"D:\\Tools\\readme.txt"));
  // From a drive root, whose path ends with its separator already; a huge file shows its start.
  h.services.executableDirectory = u"D:\\";
  Write("readme.txt", std::string(50 << 20, '\r'));
  h.form.SetText(Text1, u"h");
  Press(2);
  EXPECT_EQ(std::pair(h[Text1].text.size(), h.services.readPaths.back()),
            std::pair(2 * kReadmeLimit, std::u16string(u"D:\\readme.txt")));
  h.services.startProgramSucceeds = false;
  h.services.Click(Image1);
  EXPECT_EQ(h.services.startedPrograms, (std::vector<HeadlessServices::StartedProgram>{
                                            {u"explorer https://www.corvane.example/quenda/", 2}}));
  EXPECT_TRUE(h.services.messages.empty() && !h.services.closed);
}

// Every line ends with CR LF whatever ended it in the file; a NUL does not end the text.
TEST(Readme, EveryLineEndsWithCrLfWhateverEndedItInTheFile) {
  const std::pair<std::string, std::u16string> cases[] = {{"", u""},
                                                          {"a\r", u"a\r\n"},
                                                          {"a\n", u"a\n\r\n"},
                                                          {"\r\n\r\n", u"\r\n\r\n"},
                                                          {"x\r\r", u"x\r\n\r\n"},
                                                          {"a\n\rb", u"a\n\r\nb\r\n"},
                                                          {"caf\xE9\r\n", u"café\r\n"},
                                                          {std::string("a\0b", 3), u"a b\r\n"}};
  SetAnsiCodePage("WINDOWS-1252");
  for (const auto& [bytes, expected] : cases)
    EXPECT_EQ(ReadmeText(bytes), expected) << ::testing::PrintToString(bytes);
}

// The Chinese set reads only its own readme, in the ANSI code page.
TEST_F(Panel, TheChineseSetReadsItsOwnReadme) {
  Write("readme.txt", "english");
  Write("readmetw.txt", "\xA4\xA4\xA4\xE5\r\nlast\r\n");
  h.Put(kInternationalKey, kLocaleValue, "00000404", registry::kCurrentUser);
  h.Start();
  ASSERT_TRUE(SetAnsiCodePage("CP950"));
  Press(4);
  EXPECT_EQ(h[Text1].text, u"中文\r\nlast\r\n");
  EXPECT_EQ(h.services.readPaths, Paths{u"D:\\Tools\\readmetw.txt"});
}

}  // namespace
}  // namespace quenda::testing
