// Fuzzes the line reader: whatever the bytes and however the reads split them, the lines read are
// the file cut at each CR (a CR LF counting as one end), with no empty line after a final end.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "ansi_text.h"
#include "ansi_text_iconv.h"
#include "line_reader.h"

namespace {

// The file's bytes handed out `piece` bytes at a time; the read numbered `failingRead` fails.
class PiecewiseFile : public quenda::InputFile {
 public:
  PiecewiseFile(std::string_view bytes, std::size_t piece, int failingRead)
      : rest_(bytes), piece_(piece), failingRead_(failingRead) {}
  std::optional<std::size_t> Read(std::span<char> buffer) override {
    if (++reads_ == failingRead_)
      return std::nullopt;
    const std::size_t count = std::min({piece_, buffer.size(), rest_.size()});
    std::copy_n(rest_.begin(), count, buffer.begin());
    rest_.remove_prefix(count);
    return count;
  }

 private:
  std::string_view rest_;
  std::size_t piece_;
  int failingRead_;
  int reads_ = 0;
};

// The lines the reader must produce, worked out from the whole file at once: cut at every CR once
// each CR LF has become a CR; a cut at the very end starts no further line.
std::vector<std::u16string> ExpectedLines(std::string bytes) {
  for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
       at = bytes.find("\r\n", at + 1)) {
    bytes.erase(at + 1, 1);
  }
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t cr = bytes.find('\r'); cr != std::string::npos; cr = bytes.find('\r', start)) {
    lines.push_back(quenda::FromAnsi(std::string_view(bytes).substr(start, cr - start)));
    start = cr + 1;
  }
  if (start < bytes.size()) {
    lines.push_back(quenda::FromAnsi(std::string_view(bytes).substr(start)));
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool codePageSet = quenda::SetAnsiCodePage("CP950");
  if (!codePageSet || size < 2)
    return 0;
  // The first byte chooses the size of the reads, the second the read that fails (0: none).
  const std::size_t piece = data[0] % 17 + 1;
  const int failingRead = data[1] % 8 == 0 ? data[1] / 8 : 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);

  PiecewiseFile file(bytes, piece, failingRead);
  quenda::LineReader reader(file);
  std::vector<std::u16string> lines;
  while (!reader.AtEnd()) {
    auto line = reader.ReadLine();
    if (!line)
      break;
    lines.push_back(std::move(*line));
  }
  const std::vector<std::u16string> expected = ExpectedLines(bytes);
  // Without a failure every line comes out; after one, a leading run of them.
  const bool prefix =
      lines.size() <= expected.size() && std::equal(lines.begin(), lines.end(), expected.begin());
  if (reader.Failed() ? !prefix : lines != expected) {
    std::abort();
  }
  return 0;
}
