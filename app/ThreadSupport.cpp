// The thread library's calls that the C++ runtime makes (the exception
// unwinder, its emergency memory pool, thread-local variables), in lean
// versions linked before the library's own: those bring its whole thread
// implementation (condition variables, read-write locks, thread start and
// cancellation), about 35 KB, into a program that starts no thread. These
// stay correct with threads: the lock is an interlocked spin lock, the once
// flag interlocked, the keys the platform's thread-local slots.
//
// The types are the thread library's (pthread.h): a once flag is a long
// (0 at first), a mutex an intptr_t (0 after init, negative for the static
// initializers, both unlocked), a key an unsigned.
#include <windows.h>

#include <cstdint>

namespace {
constexpr LONG kLocked = 1;
static_assert(sizeof(intptr_t) == sizeof(LONG), "a mutex is locked as one LONG");

void GiveWay() {
  Sleep(0);
}
} // namespace

extern "C" {
int pthread_once(long *once, void (*function)()) {
  if (InterlockedCompareExchange(once, 1, 0) == 0) {
    function();
    InterlockedExchange(once, 2);
  }
  while (InterlockedCompareExchange(once, 2, 2) != 2)
    GiveWay();
  return 0;
}

int pthread_mutex_init(intptr_t *mutex, const void *) {
  *mutex = 0;
  return 0;
}

int pthread_mutex_destroy(intptr_t *) {
  return 0;
}

int pthread_mutex_lock(intptr_t *mutex) {
  auto *word = reinterpret_cast<volatile LONG *>(mutex);
  for (LONG seen = *word;; seen = *word) {
    if (seen != kLocked && InterlockedCompareExchange(word, kLocked, seen) == seen)
      return 0;
    GiveWay();
  }
}

int pthread_mutex_unlock(intptr_t *mutex) {
  InterlockedExchange(reinterpret_cast<volatile LONG *>(mutex), 0);
  return 0;
}

// A key's destructor would run when a thread ends; the only thread ends
// with the process.
int pthread_key_create(unsigned *key, void (*)(void *)) {
  const DWORD slot = TlsAlloc();
  if (slot == TLS_OUT_OF_INDEXES)
    return 11; // EAGAIN
  *key = slot;
  return 0;
}

void *pthread_getspecific(unsigned key) {
  return TlsGetValue(key);
}

int pthread_setspecific(unsigned key, const void *value) {
  return TlsSetValue(key, const_cast<void *>(value)) ? 0 : 22; // EINVAL
}
}
