// The target folder dialog: drive and directory lists, free and required
// space. The folder the directory list is left on is the installation
// target, which the extraction dialog takes from the list; the list keeps
// the process's current directory there too.
#pragma once

#include <string>

#include "folders/DirectoryListBox.h"
#include "folders/DriveComboBox.h"
#include "runtime/Form.h"
#include "runtime/Image.h"
#include "runtime/Label.h"

class TForm2 : public TForm {
public:
  TForm2();

  TImage Image1{this};
  TLabel Label1{this}; // "[ ok"
  TLabel Label2{this}; // "cancel ]"
  TLabel Label3{this}; // "makedir"
  TLabel Label4{this}; // heading
  TLabel Label5{this}; // "space free on this disk : "
  TLabel Label6{this}; // free megabytes, right-aligned
  TLabel Label7{this}; // "required for installation : "
  TLabel Label8{this}; // required megabytes, right-aligned (set by the opener)
  TDriveComboBox DriveComboBox1{this};
  TDirectoryListBox DirectoryListBox1{this};

  // Before the first showing: the dialog opens on `folder` (its drive in
  // the drive box) when it exists; otherwise it stays on the start-up
  // folder.
  void StartIn(const std::string &folder);

  void DriveComboBox1Change();
  void Label1Click();
  void Label2Click();
  void Label3Click();
};

extern TForm2 *Form2;
