// GoogleTest's customisation header, found ahead of its own (empty) one in the MinGW-w64 build.
//
// MinGW-w64's win32 thread model has no std::mutex and no std::condition_variable in GCC 12.
// GoogleTest's Windows port makes its locks, thread-local storage and handles of Win32 calls; only
// Notification, with which GoogleTest's own thread helper holds a new thread until told to start,
// is made of those two classes. This is Notification without them. No test here starts a thread,
// so the waiting side simply polls.
//
// (Building GoogleTest without thread safety, GTEST_IS_THREADSAFE=0, does not compile on MinGW:
// its Windows death tests use AutoHandle, which it declares only when thread-safe.)
#ifndef QUENDA_TESTS_GOOGLETEST_CUSTOM_GTEST_PORT_H_
#define QUENDA_TESTS_GOOGLETEST_CUSTOM_GTEST_PORT_H_

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true, std::memory_order_release); }

  void WaitForNotification() {
    while (!notified_.load(std::memory_order_acquire)) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing

#endif  // QUENDA_TESTS_GOOGLETEST_CUSTOM_GTEST_PORT_H_
