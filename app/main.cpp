#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/CreateForms.h"
#include "removal/SelfRemoval.h"
#include "removal/Uninstall.h"
#include "runtime/Application.h"
#include "runtime/ErrorReport.h"
#include "runtime/LibraryFunction.h"
#include "unattended/CommandLine.h"
#include "unattended/Console.h"
#include "unattended/UnattendedRun.h"

namespace {
int RunWindowed(const std::string &folderDialogStart) {
  TApplication application;
  try {
    application.Initialize();
    application.SetTitle(kApplicationTitle);
    CreateInstallerForms(folderDialogStart);
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

// Unattended, only the console hears of it; otherwise a box when there is
// no console.
int BadCommandLine(const ParsedCommandLine &parsed) {
  std::string text = parsed.error + "\r\n\r\n" + kUsageText;
  if (!WriteToConsole(text, true) && !parsed.line.silent)
    MessageBoxA(nullptr, text.c_str(), kApplicationTitle, MB_OK | MB_ICONERROR);
  return static_cast<int>(ExitCode::BadCommandLine);
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything can load a library: nothing from the current directory.
  RestrictLibrarySearch();
  // Split by the runtime as the platform's rules say (quotes, backslashes).
  std::vector<std::string> args(__argv + (__argc > 0 ? 1 : 0), __argv + __argc);
  if (IsSelfRemovalRun(args))
    return FinishSelfRemoval(args);
  if (args.empty() && StartedAsUninstaller()) {
    CommandLine line;
    line.uninstall = true;
    return static_cast<int>(RunUninstall(line));
  }
  if (args.empty())
    return RunWindowed("");
  ParsedCommandLine parsed = ParseCommandLine(args);
  if (!parsed.error.empty())
    return BadCommandLine(parsed);
  if (parsed.line.help) {
    ShowUsage();
    return 0;
  }
  if (parsed.line.uninstall)
    return static_cast<int>(RunUninstall(parsed.line));
  if (parsed.line.silent)
    return static_cast<int>(RunUnattended(parsed.line));
  return RunWindowed(parsed.line.target);
}
