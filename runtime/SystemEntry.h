// The one guard around every call the system makes into the program: window
// procedures, creation handlers, library callbacks. No exception may unwind
// through the system's frames, so whatever escapes a handler is reported
// here and the call answers its fallback value.
#pragma once

// Reports the exception in flight, through the application's box when there
// is an application, else through a plain one. For use inside catch (...);
// never throws.
void ReportEscapedException() noexcept;

template <class Result, class Body> Result GuardedEntry(Result fallback, Body &&body) noexcept {
  try {
    return body();
  } catch (...) {
    ReportEscapedException();
  }
  return fallback;
}

template <class Body> void GuardedEntry(Body &&body) noexcept {
  try {
    body();
  } catch (...) {
    ReportEscapedException();
  }
}
