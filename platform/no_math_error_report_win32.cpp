// The C runtime's math error handler, replaced by one that reports nothing.
//
// MinGW-w64's start-up code installs _matherr as the handler the C runtime calls when a math
// function fails; the library's version prints the error with fprintf, which brings the stdio
// import and its format strings along. Quenda calls no math function that can fail (the only
// floating point is the dialog's width in twips), and a GUI program has no console to print to.
// Returning 0 leaves the runtime's default handling: errno set, the usual result returned.
struct _exception;

extern "C" int _matherr(_exception*) {
  return 0;
}
