// The executable's folder and short names, from kernel32.
#include <windows.h>

#include "process_win32.h"
#include "wide_text.h"

namespace quenda::win32 {

std::u16string DirectoryOf(std::u16string_view executablePath) {
  const std::size_t separator = executablePath.find_last_of(u"\\/");
  if (separator == std::u16string_view::npos)
    return {};
  std::u16string directory(executablePath.substr(0, separator));
  // "D:" alone would mean the current directory of drive D; the root keeps its backslash.
  if (directory.size() == 2 && directory[1] == u':')
    directory += u'\\';
  return directory;
}

std::u16string ExecutableDirectory() {
  // Paths may be longer than MAX_PATH; grow until the whole name fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0)
      return {};
    if (length < path.size()) {
      path.resize(length);
      return DirectoryOf(Utf16(path));
    }
    path.resize(path.size() * 2);
  }
}

std::u16string ShortPathOf(std::u16string_view path) {
  const std::wstring longPath = Wide(path);
  const DWORD size = GetShortPathNameW(longPath.c_str(), nullptr, 0);
  if (size == 0)
    return std::u16string(path);
  std::wstring shortPath(size, L'\0');
  const DWORD length = GetShortPathNameW(longPath.c_str(), shortPath.data(), size);
  if (length == 0 || length >= size)
    return std::u16string(path);
  shortPath.resize(length);
  return Utf16(shortPath);
}

}  // namespace quenda::win32
