// The logo control: a GIF from an RCDATA resource decoded by OleLoadPicture, with a hand cursor.
#include <windows.h>
#include <olectl.h>

#include "logo_win32.h"
#include "resource_ids.h"

namespace quenda::win32 {

namespace {

// Decodes the GIF resource into a picture object; null when the resource or the decoder is
// missing, in which case the control stays blank but still takes clicks.
IPicture* LoadLogo(HINSTANCE instance) {
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(QUENDA_LOGO_GIF), RT_RCDATA);
  if (resource == nullptr)
    return nullptr;
  const DWORD size = SizeofResource(instance, resource);
  const void* bytes = LockResource(LoadResource(instance, resource));
  if (bytes == nullptr || size == 0)
    return nullptr;
  // OleLoadPicture reads from a stream; the stream owns (and frees) this copy of the bytes.
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (copy == nullptr)
    return nullptr;
  CopyMemory(GlobalLock(copy), bytes, size);
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
    GlobalFree(copy);
    return nullptr;
  }
  IPicture* picture = nullptr;
  if (FAILED(OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(&picture)))) {
    picture = nullptr;
  }
  stream->Release();
  return picture;
}

IPicture* PictureOf(HWND window) {
  return reinterpret_cast<IPicture*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Draws the picture over the whole control. The control is exactly the picture's size in twips,
// so at 96 DPI every pixel of the GIF lands on one pixel of the screen.
void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (IPicture* picture = PictureOf(window)) {
    RECT client;
    GetClientRect(window, &client);
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    // HIMETRIC runs upwards: start at the picture's bottom edge and give a negative height.
    picture->Render(dc, 0, 0, client.right, client.bottom, 0, height, width, -height, nullptr);
  }
  EndPaint(window, &paint);
}

void NotifyClick(HWND window) {
  const int id = GetDlgCtrlID(window);
  SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
               reinterpret_cast<LPARAM>(window));
}

LRESULT CALLBACK LogoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(LoadLogo(create->hInstance)));
      return 0;
    }
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(window);
      return 0;
    case WM_LBUTTONUP: {
      // A click is a press and a release on the logo; releasing elsewhere cancels it.
      if (GetCapture() != window)
        return 0;
      ReleaseCapture();
      RECT client;
      GetClientRect(window, &client);
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (PtInRect(&client, at))
        NotifyClick(window);
      return 0;
    }
    case WM_NCDESTROY:
      if (IPicture* picture = PictureOf(window))
        picture->Release();
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool RegisterLogoClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = LogoProc;
  windowClass.hInstance = instance;
  // The pointing hand of the resources, hot spot at the index finger's tip.
  windowClass.hCursor = LoadCursorW(instance, MAKEINTRESOURCEW(QUENDA_HAND_CURSOR));
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kLogoClassName;
  return RegisterClassExW(&windowClass) != 0;
}

}  // namespace quenda::win32
