// The closing dialog: credits, then end the program or go back.
#pragma once

#include "runtime/Form.h"
#include "runtime/Image.h"
#include "runtime/Label.h"
#include "shell/CommandSkin.h"

class TForm6 : public TForm {
public:
  TForm6();

  TImage Image1{this};
  TLabel Label2{this}; // credit line
  TLabel Label4{this}; // "[  ok": end the program
  TLabel Label5{this}; // credit line
  TLabel Label1{this}; // "cancel ]": back to the splash window

  void Image1MouseMove(const TMouseEvent &event);
  void Label4MouseMove(const TMouseEvent &event);
  void Label4MouseDown(const TMouseEvent &event);
  void Label4Click();
  void Label1MouseMove(const TMouseEvent &event);
  void Label1MouseDown(const TMouseEvent &event);
  void Label1Click();

private:
  CommandSkin skin_{RGB(0x80, 0x80, 0x80), {&Label4, &Label1}};
};

extern TForm6 *Form6;
