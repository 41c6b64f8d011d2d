// The installed platform, with a fallback that shows nothing and ends the process quietly.
#include <cstdlib>

#include "platform.h"

namespace quenda {
namespace {

// Used only before a platform is installed: a registry failure then still ends the process.
class FallbackPlatform : public Platform {
 public:
  void ShowMessageBox(std::u16string_view, std::u16string_view, unsigned) override {}
  [[noreturn]] void EndProcess() override { std::_Exit(1); }
  std::u16string ExecutableDirectory() override { return {}; }
  bool StartProgram(std::u16string_view, int) override { return false; }
  std::unique_ptr<InputFile> OpenForReading(std::u16string_view) override { return nullptr; }
};

Platform*& Installed() {
  static Platform* installed = nullptr;
  return installed;
}

}  // namespace

Platform& CurrentPlatform() {
  static FallbackPlatform fallback;
  Platform* installed = Installed();
  return installed ? *installed : fallback;
}

void InstallPlatform(Platform* platform) {
  Installed() = platform;
}

}  // namespace quenda
