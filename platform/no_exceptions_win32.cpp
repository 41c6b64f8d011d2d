// libstdc++'s throwing helpers and the global operator new, for the two programs only: each ends
// the process where the library would throw.
//
// The product has nothing to do after a failed allocation or a broken library precondition (a
// string longer than max_size(), an out-of-range index), so ending at once loses nothing.
// libstdc++'s own versions throw, which links the exception runtime (unwinder, personality
// routine, emergency allocation pool) and the std::logic_error family; that family keeps its
// message in the old copy-on-write std::string and so brings a second string implementation along.
// Together they were most of the 69 KB libstdc++ added to the program. The helpers defined here
// are the ones the programs call, with the plain and nothrow forms of operator new, so those
// archive members are never linked. A call of any other helper would bring its archive member in,
// and the link then fails with a multiple definition of these: add that helper here.
#include <bits/functexcept.h>

#include <cstdlib>
#include <new>

namespace std {

void __throw_bad_alloc() {
  std::abort();
}
void __throw_bad_array_new_length() {
  std::abort();
}
void __throw_logic_error(const char*) {
  std::abort();
}
void __throw_length_error(const char*) {
  std::abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
  std::abort();
}

}  // namespace std

namespace {

// malloc(0) may give null; operator new must give a distinct pointer even for zero bytes.
void* Allocate(std::size_t size) noexcept {
  return std::malloc(size != 0 ? size : 1);
}

}  // namespace

void* operator new(std::size_t size) {
  if (void* block = Allocate(size))
    return block;
  std::abort();
}

void* operator new[](std::size_t size) {
  return operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return Allocate(size);
}
