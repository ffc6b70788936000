// The splash window: the main window of the installer. Shows the release's
// texts over the skin bitmap and offers install, the two text files and quit.
#pragma once

#include "folders/DirectoryListBox.h"
#include "media/MediaPlayer.h"
#include "runtime/Edit.h"
#include "runtime/Form.h"
#include "runtime/Image.h"
#include "runtime/Label.h"
#include "shell/CommandSkin.h"

struct InstallIni;

class TForm1 : public TForm {
public:
  TForm1();

  TImage Image1{this};
  TLabel Label1{this};                       // title
  TLabel Label2{this};                       // sub-title
  TLabel Label3{this};                       // "quit"
  TLabel Label4{this};                       // "install"
  TLabel Label5{this};                       // release notes file name
  TLabel Label6{this};                       // description file name
  TLabel Label7{this};                       // hidden: proposed new folder name
  TLabel Label8{this};                       // hidden: path of the first archive volume
  TDirectoryListBox DirectoryListBox1{this}; // hidden: the start-up folder
  TLabel Label9{this};                       // hidden: start-up folder with a trailing backslash
  TLabel Label10{this};                      // hidden: required megabytes
  TMediaPlayer MediaPlayer1{this};
  TEdit Edit1{this};    // hidden: registry file name
  TLabel Label11{this}; // installation notes
  TLabel Label12{this}; // status line

  void FormCreate() override;

  void Image1MouseMove(const TMouseEvent &event);
  // The command labels' clicks. Their hover and press looks are wired from
  // one table in the constructor.
  void Label3Click();
  void Label4Click();
  void Label5Click();
  void Label6Click();

private:
  // The release's fields into the labels and the hidden edit box.
  void ShowRelease(const InstallIni &release);

  CommandSkin skin_{RGB(0xFF, 0xFF, 0xFF), {&Label3, &Label4, &Label5, &Label6}};
};

extern TForm1 *Form1;
