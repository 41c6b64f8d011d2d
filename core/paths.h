// Joining a folder and a file name, the one way the program builds a path.
#pragma once

#include <string>
#include <string_view>

namespace quenda {

// `folder` and `file` joined by one backslash; a folder that already ends with one (a drive root,
// "D:\") is not given a second.
inline std::u16string JoinPath(std::u16string_view folder, std::u16string_view file) {
  std::u16string path(folder);
  if (path.empty() || path.back() != u'\\')
    path += u'\\';
  path += file;
  return path;
}

}  // namespace quenda
