#include "app/CreateForms.h"

#include <windows.h>

#include "runtime/Application.h"
#include "shell/AllForms.h"

void CreateInstallerForms(const std::string &folderDialogStart) {
  Application->CreateForm(Form1); // main window; its creation reads install.ini
  // The folder dialog's list takes the current directory when it is built.
  if (!folderDialogStart.empty())
    SetCurrentDirectoryA(folderDialogStart.c_str());
  Application->CreateForm(Form2);
  Application->CreateForm(Form3); // copies the proposed folder name from Form1
  Application->CreateForm(Form4);
  Application->CreateForm(Form5);
  Application->CreateForm(Form6);
}
