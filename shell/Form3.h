// The new folder dialog: creates a folder by name inside the folder the
// target folder dialog shows and moves that dialog's list into it.
#pragma once

#include "runtime/Edit.h"
#include "runtime/Form.h"
#include "runtime/Image.h"
#include "runtime/Label.h"

class TForm3 : public TForm {
public:
  TForm3();

  TImage Image1{this};
  TLabel Label2{this}; // "[  ok"
  TLabel Label3{this}; // "cancel ]"
  TLabel Label1{this}; // heading
  TEdit Edit1{this};   // the new folder's name

  void FormCreate() override;
  void Label2Click();
  void Label3Click();
};

extern TForm3 *Form3;
