// Reads a text file line by line, the way the information panel loads the readme.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "platform.h"

namespace quenda {

// A line ends at CR or at CR LF; the end is not part of the line. An LF without a CR before it
// stays in the line. The end of the file ends the last line, which may lack a line end. Each
// line's bytes are decoded from the ANSI code page.
//
// A read failure ends the reading: AtEnd() then answers true and the line being read is dropped.
class LineReader {
 public:
  explicit LineReader(InputFile& file) : file_(file) {}

  // True when no further line can be read: the end of the file, or a failed read.
  bool AtEnd();
  // The next line, or nullopt when none could be read.
  std::optional<std::u16string> ReadLine();
  bool Failed() const { return failed_; }

 private:
  // Makes at least one unread byte available; false at the end or after a failure.
  bool Fill();

  InputFile& file_;
  std::array<char, 4096> buffer_{};
  std::size_t position_ = 0;
  std::size_t size_ = 0;
  bool ended_ = false;
  bool failed_ = false;
  // The last line ended at a CR; an LF that follows belongs to that line end.
  bool skipLineFeed_ = false;
};

}  // namespace quenda
