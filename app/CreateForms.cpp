#include "app/CreateForms.h"

#include "runtime/Application.h"
#include "shell/AllForms.h"

void CreateInstallerForms(const std::string &folderDialogStart) {
  Application->CreateForm(Form1); // main window; its creation reads install.ini
  Application->CreateForm(Form2);
  if (!folderDialogStart.empty())
    Form2->StartIn(folderDialogStart);
  Application->CreateForm(Form3); // copies the proposed folder name from Form1
  Application->CreateForm(Form4);
  Application->CreateForm(Form5);
  Application->CreateForm(Form6);
}
