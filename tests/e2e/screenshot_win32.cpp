// Screen captures for the documentation: BitBlt from the screen into a DIB, written as a BMP.
#include <windows.h>

#include <vector>

#include "screenshot_win32.h"

namespace quenda::e2e {

bool SaveScreenshot(HWND window, const std::wstring& path) {
  RECT rect{};
  if (!GetWindowRect(window, &rect))
    return false;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int stride = ((width * 3 + 3) / 4) * 4;

  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as BMP files store rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(stride * height);

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  bool copied = false;
  if (bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    copied = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory, previous);
  }
  bool written = false;
  if (copied) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out != INVALID_HANDLE_VALUE) {
      DWORD done = 0;
      written = WriteFile(out, &file, sizeof(file), &done, nullptr) &&
                WriteFile(out, &header, sizeof(header), &done, nullptr) &&
                WriteFile(out, bits, header.biSizeImage, &done, nullptr);
      CloseHandle(out);
    }
  }
  if (bitmap != nullptr)
    DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

}  // namespace quenda::e2e
