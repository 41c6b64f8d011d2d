// Fuzzes the line reader: however the reads split the bytes, the lines read are the file cut at
// each CR, a CR LF counting as one end and no empty line following a final end; after a failed
// read, a leading run of those lines.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ansi_text.h"
#include "ansi_text_iconv.h"
#include "line_reader.h"

namespace {

// The file's bytes handed out `piece` bytes at a time; the read numbered `failingRead` fails.
struct PiecewiseFile : quenda::InputFile {
  PiecewiseFile(std::string_view bytes, std::size_t piece, int failingRead)
      : rest_(bytes), piece_(piece), failingRead_(failingRead) {}
  std::optional<std::size_t> Read(std::span<char> buffer) override {
    if (++reads_ == failingRead_)
      return std::nullopt;
    const std::size_t count = rest_.copy(buffer.data(), std::min(piece_, buffer.size()));
    rest_.remove_prefix(count);
    return count;
  }
  std::string_view rest_;
  std::size_t piece_;
  int failingRead_;
  int reads_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool codePageSet = quenda::SetAnsiCodePage("CP950");
  if (!codePageSet || size < 2)
    return 0;
  // The first byte chooses the size of the reads, the second the read that fails (0: none).
  std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
  PiecewiseFile file(bytes, data[0] % 17 + 1, data[1] % 8 == 0 ? data[1] / 8 : 0);
  quenda::LineReader reader(file);
  std::vector<std::u16string> lines;
  for (std::optional<std::u16string> line; !reader.AtEnd() && (line = reader.ReadLine());)
    lines.push_back(std::move(*line));

  // The lines worked out from the whole file at once.
  std::vector<std::u16string> expected;
  while (!bytes.empty()) {
    const std::size_t end = std::min(bytes.find('\r'), bytes.size());
    expected.push_back(quenda::FromAnsi(bytes.substr(0, end)));
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
    if (bytes.starts_with('\n'))
      bytes.remove_prefix(1);  // the LF of a CR LF; without a CR nothing is left
  }
  const bool prefix =
      lines.size() <= expected.size() && std::equal(lines.begin(), lines.end(), expected.begin());
  if (reader.Failed() ? !prefix : lines != expected)
    std::abort();
  return 0;
}
