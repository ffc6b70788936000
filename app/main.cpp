#include <windows.h>

#include "app/CreateForms.h"
#include "runtime/Application.h"
#include "runtime/ErrorReport.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TApplication application;
  try {
    application.Initialize();
    application.SetTitle(kApplicationTitle);
    CreateInstallerForms();
    application.Run();
  } catch (const Exception &error) {
    ShowProgramReport(error);
  } catch (const std::exception &error) {
    ShowProgramReport("Exception", error.what(), nullptr);
  } catch (...) {
    // Last resort: nothing may leave the program unreported.
    ShowProgramReport("Exception", "Unknown exception", nullptr);
  }
  // Leaving the scope destroys every window; the music device closes then.
  return 0;
}
