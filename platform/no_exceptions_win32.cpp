// libstdc++'s throwing helpers and the global operator new, for quenda.exe only: each ends the
// process where the library would throw.
//
// The product has nothing to do after a failed allocation or a broken library precondition (a
// string longer than max_size(), an out-of-range index), so ending at once loses nothing.
// libstdc++'s own versions throw, which links the exception runtime (unwinder, personality
// routine, emergency allocation pool) and the std::logic_error family; that family keeps its
// message in the old copy-on-write std::string and so brings a second string implementation along.
// Together they were most of the 69 KB libstdc++ added to the program. These definitions cover
// every function of libstdc++'s functexcept.o and the plain and nothrow forms of operator new, so
// those archive members are never linked.
#include <bits/functexcept.h>

#include <cstdlib>
#include <new>

namespace std {

void __throw_bad_exception() {
  std::abort();
}
void __throw_bad_alloc() {
  std::abort();
}
void __throw_bad_array_new_length() {
  std::abort();
}
void __throw_bad_cast() {
  std::abort();
}
void __throw_bad_typeid() {
  std::abort();
}
void __throw_logic_error(const char*) {
  std::abort();
}
void __throw_domain_error(const char*) {
  std::abort();
}
void __throw_invalid_argument(const char*) {
  std::abort();
}
void __throw_length_error(const char*) {
  std::abort();
}
void __throw_out_of_range(const char*) {
  std::abort();
}
void __throw_out_of_range_fmt(const char*, ...) {
  std::abort();
}
void __throw_runtime_error(const char*) {
  std::abort();
}
void __throw_range_error(const char*) {
  std::abort();
}
void __throw_overflow_error(const char*) {
  std::abort();
}
void __throw_underflow_error(const char*) {
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
