// The information panel's handlers: About (Help) switches the width and loads the readme; the
// logo opens the product's page.
#include "form1.h"
#include "paths.h"
#include "readme.h"
#include "texts.h"

namespace quenda {
namespace {

constexpr float kWideThreshold = 5000;  // a width below it is narrow; 5000 itself counts as wide

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
  // The readme replaces the panel text whatever happens: what could be read, or nothing.
  const std::u16string path = JoinPath(process_.ExecutableDirectory(), ReadmeFileName());
  SetText(ControlId::Text1, ReadmeText(process_.ReadFileStart(path, kReadmeLimit)));
}

// A failed start is ignored: the logo is a convenience, never a reason to stop the dialog. The
// program is named by its full path: the dialog runs elevated, and a search would try the
// program's own folder and the current folder before the Windows folder.
void Form1::Image1_Click() {
  std::u16string commandLine = u"explorer ";
  commandLine += kProductPageAddress;
  process_.StartProgram(JoinPath(process_.WindowsDirectory(), u"explorer.exe"), commandLine,
                        kShowMinimized);
}

}  // namespace quenda
