// The logo control: a GIF from an RCDATA resource decoded by OleLoadPicture on first paint, with a
// hand cursor.
#include <windows.h>
#include <olectl.h>

#include "logo_win32.h"
#include "resource_ids.h"

namespace quenda::win32 {

namespace {

// The window's extra bytes: the decoded picture, and whether decoding has been tried.
constexpr int kPictureSlot = 0;
constexpr int kTriedSlot = sizeof(LONG_PTR);

// An entry point of a DLL loaded at run time, typed as the header declares it.
template <typename Function>
Function EntryPoint(HMODULE module, const char* name) {
  FARPROC entry = module != nullptr ? GetProcAddress(module, name) : nullptr;
  // Through void(*)(), the one function type that GCC lets any other be cast from.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(entry));
}

// Decodes the GIF resource into a picture object; null when the resource or the decoder is
// missing, in which case the control stays blank but still takes clicks.
IPicture* LoadLogo(HINSTANCE instance) {
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(QUENDA_LOGO_GIF), RT_RCDATA);
  const DWORD size = resource != nullptr ? SizeofResource(instance, resource) : 0;
  const void* bytes =
      resource != nullptr ? LockResource(LoadResource(instance, resource)) : nullptr;
  if (bytes == nullptr || size == 0)
    return nullptr;
  // Loaded here rather than imported: COM and the picture decoder cost start-up time, and a
  // dialog whose information panel is never opened does not need them at all.
  HMODULE ole32 = LoadLibraryW(L"ole32.dll");
  HMODULE oleaut32 = LoadLibraryW(L"oleaut32.dll");
  const auto initialize = EntryPoint<decltype(&CoInitializeEx)>(ole32, "CoInitializeEx");
  const auto createStream =
      EntryPoint<decltype(&CreateStreamOnHGlobal)>(ole32, "CreateStreamOnHGlobal");
  const auto loadPicture = EntryPoint<decltype(&OleLoadPicture)>(oleaut32, "OleLoadPicture");
  if (initialize == nullptr || createStream == nullptr || loadPicture == nullptr)
    return nullptr;
  // The decoder may create COM objects. The apartment, like the two DLLs, lasts as long as the
  // process: the dialog is the process.
  initialize(nullptr, COINIT_APARTMENTTHREADED);
  // OleLoadPicture reads from a stream; the stream owns (and frees) this copy of the bytes.
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (copy == nullptr)
    return nullptr;
  CopyMemory(GlobalLock(copy), bytes, size);
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  if (FAILED(createStream(copy, TRUE, &stream))) {
    GlobalFree(copy);
    return nullptr;
  }
  IPicture* picture = nullptr;
  if (FAILED(loadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                         reinterpret_cast<void**>(&picture)))) {
    picture = nullptr;
  }
  stream->Release();
  return picture;
}

IPicture* PictureOf(HWND window) {
  if (GetWindowLongPtrW(window, kTriedSlot) == 0) {
    SetWindowLongPtrW(window, kTriedSlot, 1);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    SetWindowLongPtrW(window, kPictureSlot, reinterpret_cast<LONG_PTR>(LoadLogo(instance)));
  }
  return reinterpret_cast<IPicture*>(GetWindowLongPtrW(window, kPictureSlot));
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
      if (auto* picture = reinterpret_cast<IPicture*>(GetWindowLongPtrW(window, kPictureSlot)))
        picture->Release();
      SetWindowLongPtrW(window, kPictureSlot, 0);
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
  windowClass.cbWndExtra = 2 * sizeof(LONG_PTR);
  windowClass.hInstance = instance;
  // The pointing hand of the resources, hot spot at the index finger's tip.
  windowClass.hCursor = LoadCursorW(instance, MAKEINTRESOURCEW(QUENDA_HAND_CURSOR));
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = kLogoClassName;
  return RegisterClassExW(&windowClass) != 0;
}

}  // namespace quenda::win32
