// Line-by-line reading of an ANSI text file: CR or CR LF ends a line, a lone LF does not.
#include "line_reader.h"

#include <algorithm>
#include <span>

#include "ansi_text.h"

namespace quenda {

bool LineReader::Fill() {
  while (position_ == size_) {
    if (ended_ || failed_)
      return false;
    const std::optional<std::size_t> got = file_.Read(std::span<char>(buffer_));
    if (!got) {
      failed_ = true;
      return false;
    }
    if (*got == 0) {
      ended_ = true;
      return false;
    }
    position_ = 0;
    size_ = *got;
  }
  return true;
}

bool LineReader::AtEnd() {
  // The LF of a CR LF that ended the previous line is consumed here, so that a file ending in
  // CR LF has no empty line after its last one. It may arrive with the next buffer.
  if (skipLineFeed_) {
    if (!Fill())
      return true;
    skipLineFeed_ = false;
    if (buffer_[position_] == '\n')
      ++position_;
  }
  return !Fill();
}

std::optional<std::u16string> LineReader::ReadLine() {
  if (AtEnd())
    return std::nullopt;
  std::string bytes;
  while (Fill()) {
    const char* begin = buffer_.data() + position_;
    const char* end = buffer_.data() + size_;
    const char* cr = std::find(begin, end, '\r');
    bytes.append(begin, cr);
    position_ += static_cast<std::size_t>(cr - begin);
    if (cr != end) {
      ++position_;
      skipLineFeed_ = true;
      return FromAnsi(bytes);
    }
  }
  if (failed_)
    return std::nullopt;  // the line was cut short by the failure
  return FromAnsi(bytes);
}

}  // namespace quenda
