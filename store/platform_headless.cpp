// The platform services for tests: everything recorded, files read from the host.
#include "platform_headless.h"

#include <cstdio>

namespace quenda {
namespace {

std::string Utf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

class HostFile : public InputFile {
 public:
  HostFile(std::FILE* file, HeadlessPlatform& owner) : file_(file), owner_(owner) {
    ++owner_.openFiles;
  }
  ~HostFile() override {
    std::fclose(file_);
    --owner_.openFiles;
  }
  HostFile(const HostFile&) = delete;
  HostFile& operator=(const HostFile&) = delete;

  std::optional<std::size_t> Read(std::span<char> buffer) override {
    if (++owner_.readCalls == owner_.failReadCall)
      return std::nullopt;
    const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file_);
    if (got == 0 && std::ferror(file_))
      return std::nullopt;
    return got;
  }

 private:
  std::FILE* file_;
  HeadlessPlatform& owner_;
};

}  // namespace

HeadlessPlatform::HeadlessPlatform() : previous_(&CurrentPlatform()) {
  InstallPlatform(this);
}

HeadlessPlatform::~HeadlessPlatform() {
  InstallPlatform(previous_);
}

void HeadlessPlatform::ShowMessageBox(std::u16string_view text, std::u16string_view title,
                                      unsigned style) {
  messageBoxes.push_back({std::u16string(text), std::u16string(title), style});
  if (onMessageBox)
    onMessageBox(messageBoxes.back());
}

void HeadlessPlatform::EndProcess() {
  ++endProcessCalls;
  throw ProcessEnded{};
}

bool HeadlessPlatform::StartProgram(std::u16string_view commandLine, int windowState) {
  startedPrograms.push_back({std::u16string(commandLine), windowState});
  return startProgramSucceeds;
}

std::unique_ptr<InputFile> HeadlessPlatform::OpenForReading(std::u16string_view path) {
  openedPaths.emplace_back(path);
  const std::string hostPath = mapPath ? mapPath(path) : Utf8(path);
  std::FILE* file = std::fopen(hostPath.c_str(), "rb");
  if (!file)
    return nullptr;
  return std::make_unique<HostFile>(file, *this);
}

}  // namespace quenda
