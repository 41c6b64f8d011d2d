// What the dialog and the console companion both need from the running process on Windows.
#pragma once

#include <string>
#include <string_view>

namespace quenda::win32 {

// The folder that holds the running executable: absolute, without a trailing separator except
// the one of a drive root.
std::u16string ExecutableDirectory();

// The directory part of an executable's full path: without the file name and without a trailing
// separator, except the one of a drive root ("D:\Quenda.exe" gives "D:\").
std::u16string DirectoryOf(std::u16string_view executablePath);

// The short (8.3) name of an existing path; the path unchanged when the volume keeps none.
std::u16string ShortPathOf(std::u16string_view path);

}  // namespace quenda::win32
