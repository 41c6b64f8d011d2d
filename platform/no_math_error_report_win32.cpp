// The C runtime's math error reporting, left out.
//
// MinGW-w64's start-up code refers to _matherr, the library's handler that prints a failed math
// call with fprintf (bringing the stdio import and its format strings along), and to the flag
// _MINGW_INSTALL_DEBUG_MATHERR, which decides whether that handler is installed. Quenda calls no
// math function that can fail (the only floating point is the dialog's width in twips) and a GUI
// program has no console to print to, so the flag is a constant 0 (nothing installed: the runtime's
// default handling sets errno and returns the usual result) and the handler reports nothing.
struct _exception;

extern "C" {
extern const int _MINGW_INSTALL_DEBUG_MATHERR = 0;

int _matherr(_exception*) {
  return 0;
}
}
