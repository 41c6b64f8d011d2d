# Sourced by the scripts: a virtual X display with a window manager, so that windows get focus.
#
# quenda_display_start  starts Xvfb and openbox on a free display and exports DISPLAY.
# quenda_display_stop   ends both.
# quenda_display_park_pointer  moves the mouse pointer to the screen's top-left corner, where it
#                       rests on no dialog (a pointer left over a control shows its tooltip).
# quenda_display_keys WINDOW KEY...  gives the X window WINDOW (an id, as xwininfo prints it) the
#                       keyboard focus, then presses the keys together and releases them (X key
#                       names: Alt_L h, Escape).

quenda_display_start() {
  local number=${QUENDA_DISPLAY_NUMBER:-91}
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
    number=$((number + 1))
  done
  Xvfb ":$number" -screen 0 1280x800x24 -dpi "${QUENDA_DPI:-96}" -nolisten tcp >/dev/null 2>&1 &
  QUENDA_XVFB_PID=$!
  export DISPLAY=":$number"
  local tries=0
  until xdpyinfo >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ]; then
      echo "Xvfb did not start on $DISPLAY" >&2
      return 1
    fi
    sleep 0.1
  done
  openbox >/dev/null 2>&1 &
  QUENDA_WM_PID=$!
  sleep 0.5
}

quenda_display_stop() {
  [ -n "${QUENDA_WM_PID:-}" ] && kill "$QUENDA_WM_PID" 2>/dev/null
  [ -n "${QUENDA_XVFB_PID:-}" ] && kill "$QUENDA_XVFB_PID" 2>/dev/null
  QUENDA_WM_PID= QUENDA_XVFB_PID=
  return 0
}

quenda_display_park_pointer() {
  # Xvfb starts with the pointer in the middle of the screen, where centred windows open. No X
  # tool in the dependencies moves it; libX11 itself can, through Python when it is there.
  command -v python3 >/dev/null 2>&1 || return 0
  python3 - <<'PYTHON' 2>/dev/null || true
import ctypes
x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XWarpPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong] + [ctypes.c_int] * 2 + [ctypes.c_uint] * 2 + [ctypes.c_int] * 2
display = x11.XOpenDisplay(None)
if display:
    x11.XWarpPointer(display, 0, x11.XDefaultRootWindow(display), 0, 0, 0, 0, 0, 0)
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay(display)
PYTHON
}

quenda_display_keys() {
  # No X tool in the dependencies types keys; the XTest extension does, through Python.
  python3 - "$@" <<'PYTHON'
import ctypes, sys, time
x11 = ctypes.CDLL("libX11.so.6")
xtest = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
display = x11.XOpenDisplay(None)
if not display:
    sys.exit("no X display")
# The window manager does not always hand the focus to a window that opened without user input.
x11.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
x11.XSetInputFocus(display, int(sys.argv[1], 0), 1, 0)  # RevertToPointerRoot, CurrentTime
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XSync(display, 0)
time.sleep(0.3)  # Wine activates the window on the focus event
codes = [x11.XKeysymToKeycode(display, x11.XStringToKeysym(name.encode())) for name in sys.argv[2:]]
for code in codes:
    xtest.XTestFakeKeyEvent(display, code, True, 0)
for code in reversed(codes):
    xtest.XTestFakeKeyEvent(display, code, False, 0)
x11.XFlush(display)
x11.XCloseDisplay(display)
PYTHON
}
