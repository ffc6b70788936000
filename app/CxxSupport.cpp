// The C++ library's error paths, in lean versions linked before the
// library's own: those pull in its name demangler and a second, reference-
// counted string implementation, about a sixth of the program, for messages
// that a windowed program has nowhere to print. Errors stay exceptions
// derived from std::exception, so the application's report still shows
// their text.
#include <cstdlib>
#include <exception>
#include <new>

namespace {
class LibraryError : public std::exception {
public:
  explicit LibraryError(const char *what) : what_(what) {}
  const char *what() const noexcept override { return what_; }

private:
  const char *what_;
};
} // namespace

namespace __gnu_cxx {
// An exception that nothing caught: no console to describe it on.
void __verbose_terminate_handler() {
  std::abort();
}
} // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc() {
  throw bad_alloc();
}
void __throw_bad_array_new_length() {
  throw bad_array_new_length();
}
void __throw_length_error(const char *what) {
  throw LibraryError(what);
}
void __throw_logic_error(const char *what) {
  throw LibraryError(what);
}
void __throw_out_of_range(const char *what) {
  throw LibraryError(what);
}
// The format's arguments are left out: the text names the call that failed.
void __throw_out_of_range_fmt(const char *what, ...) {
  throw LibraryError(what);
}
} // namespace std
