#include "runtime/SystemEntry.h"

#include <windows.h>

#include <exception>
#include <string>

#include "runtime/Application.h"

namespace {
// Before the application exists (or after it is gone) there is no owner
// window and no title: a plain task-modal box.
void ReportWithoutApplication() {
  std::string text;
  try {
    throw;
  } catch (const EAbort &) {
    return; // silent by design
  } catch (const Exception &error) {
    text = error.Message();
  } catch (const std::exception &error) {
    text = error.what();
  } catch (...) {
    text = "Unknown exception";
  }
  MessageBoxA(nullptr, (text + ".").c_str(), nullptr, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}
} // namespace

void ReportEscapedException() noexcept {
  try {
    if (Application)
      Application->HandleCurrentException();
    else
      ReportWithoutApplication();
  } catch (...) {
    // The report itself failed (out of memory, most likely): nothing is left
    // to tell the user with, and the system's frames must not see it.
  }
}
