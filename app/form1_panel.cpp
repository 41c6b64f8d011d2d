// The information panel's handlers: About (Help) switches the width and loads the readme; the
// logo opens the product's page.
#include <exception>
#include <memory>
#include <optional>

#include "contact_texts.h"
#include "form1.h"
#include "language.h"
#include "line_reader.h"
#include "platform.h"
#include "text_sets.h"

namespace quenda {
namespace {

constexpr float kWideThreshold = 5000;  // a width below it is narrow; 5000 itself counts as wide

// The readme beside the executable. A drive root already ends with its separator ("D:\").
std::u16string ReadmePath(std::u16string directory) {
  if (directory.empty() || directory.back() != u'\\')
    directory += u'\\';
  directory += ReadmeFileName(IsChinese);
  return directory;
}

// Every line of the file, each followed by CR LF. A file that cannot be opened gives the empty
// text; a failure while reading keeps the lines read before it. The file is closed on return.
std::u16string ReadReadme(const std::u16string& path) {
  std::u16string text;
  try {
    const std::unique_ptr<InputFile> file = CurrentPlatform().OpenForReading(path);
    if (!file)
      return text;
    LineReader reader(*file);
    while (!reader.AtEnd()) {
      const std::optional<std::u16string> line = reader.ReadLine();
      if (!line)
        break;
      text += *line;
      text += u"\r\n";
    }
  } catch (const std::exception&) {
    // Absorbed like every other readme failure: the panel keeps what was read so far.
  }
  return text;
}

}  // namespace

void Form1::Command3_Click() {
  if (Width() < kWideThreshold) {
    SetWidth(kWideWidth);
    return;
  }
  SetWidth(kNarrowWidth);
  // Only a panel text that begins with "h" (the contact text, or a readme that itself begins so)
  // is replaced; the empty text and any other readme stay for the rest of the run.
  const std::u16string& panelText = At(ControlId::Text1).text;
  if (panelText.empty() || panelText.front() != u'h')
    return;
  // The readme replaces the panel text whatever happens: lines read before a failure, or nothing.
  SetText(ControlId::Text1, ReadReadme(ReadmePath(CurrentPlatform().ExecutableDirectory())));
}

// A failed start is ignored: the logo is a convenience, never a reason to stop the dialog.
void Form1::Image1_Click() {
  std::u16string commandLine = u"explorer ";
  commandLine += kProductPageAddress;
  CurrentPlatform().StartProgram(commandLine, kShowMinimized);
}

}  // namespace quenda
