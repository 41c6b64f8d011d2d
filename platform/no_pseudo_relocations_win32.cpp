// The C runtime's pseudo-relocation pass, left empty: the programs have no pseudo-relocations.
//
// MinGW-w64's start-up code calls _pei386_runtime_relocator to patch references to data that a
// program imports from a DLL. Quenda's programs import no data, only functions, so the linker
// emits an empty list and the runtime's pass (with the section helpers it pulls in, about 2 KB)
// would do nothing. This definition stands in for it. tests/size fails the build if a link map
// ever shows a pseudo-relocation, which would need the real pass.
extern "C" void _pei386_runtime_relocator() {}
