#include "shell/Form4.h"

#include "extract/ExtractArchive.h"
#include "extract/ExtractTexts.h"
#include "installation/InstallationRecorder.h"
#include "installation/StagedInstall.h"
#include "release/InstallIni.h"
#include "release/RegistryImport.h"
#include "runtime/Application.h"
#include "runtime/DesignRows.h"
#include "runtime/FileQueries.h"
#include "runtime/IoResult.h"
#include "shell/AllForms.h"
#include "shell/Skin.h"

TForm4 *Form4 = nullptr;

namespace {
using skin::Arial;
using skin::kBlack;
// Command labels of this dialog keep their grey: no hover or press look.
using skin::kGrey;

// Right edge of the heading's free area on the title art.
constexpr int kHeadingRight = 127;

const TFormDesign kDesign = {253,        122, GetSysColor(COLOR_BTNFACE), TBorderStyle::None,
                             "Ready...", true};

const TImageDesign kImage1 = {"Image1", 1, 1, 252, 121, "EXTRACT"};

const TLabelRow<TForm4> kLabels[] = {
    {&TForm4::Label1,
     {"Label1", 5, 39, 236, 20, "- press [extract] button when ready -", Arial(11, kBlack),
      TAlignment::Center, loWordWrap}},
    {&TForm4::Label2, {"Label2", 37, 101, 45, 14, "[ extract", Arial(11, kGrey)}},
    {&TForm4::Label3,
     {"Label3", 5, 2, 69, 14, "Installation...", Arial(11, kBlack), TAlignment::Left, loAutoSize}},
    {&TForm4::Label4, {"Label4", 174, 101, 42, 14, "cancel ]", Arial(11, kGrey)}},
};
} // namespace

TForm4::TForm4() : TForm("TForm4", kDesign) {
  Image1.Apply(kImage1);
  Image1.SendToBack();
  ApplyDesign(*this, kLabels);
  ProgressBar1.SetName("ProgressBar1");
  ProgressBar1.SetBounds(20, 61, 207, 15);
  // The heading stays clear of the title art's red mark, which starts at
  // x 130 beside it; a long volume name gives up its start to an ellipsis.
  Label3.SetMaxWidth(kHeadingRight - 5);

  Label2.OnClick = [this] { Label2Click(); };
  Label4.OnClick = [this] { Label4Click(); };
  Keyboard().SetDesign(TKeyboardDesign()
                           .Commands({&Label2, &Label4})
                           .Arrows(TArrowKeys::LeftRight)
                           .Escape(&Label4)
                           .AltF4(&Label4));
  Keyboard().SetFocusFrame();
  Accessible().SetDesign({nullptr, &Label3, {&Label3, &Label1}});
}

void TForm4::Label2Click() {
  // Greyed before the long run starts, and for good: one extraction per
  // process.
  Label2.SetEnabled(false);
  Repaint();
  // Into the folder the folder dialog's list shows.
  ExtractArchive(Form1->Label8.Caption(), Form2->DirectoryListBox1.Directory(), 0);
}

void TForm4::Label4Click() {
  Hide();
  Form1->SetEnabled(true);
  Form1->Show();
  Form1->BringToFront();
}

void TForm4::ExtractArchive(const std::string &arcName, const std::string &destination, int mode) {
  // The files reach the chosen folder only once the whole set is there.
  StagedInstall install(destination);
  if (std::string problem = install.Begin(); !problem.empty()) {
    ShowStatus(problem);
    return;
  }
  // This dialog paints at once; the run reaches it a frame at a time.
  PacedView paced(*this, ExtractionClock());
  ExtractionRun run(ExtractionLibrary(), paced);
  ExtractionOutcome outcome = run.ExtractArchive(arcName, install.Destination(), mode);
  // The run's last state goes on screen now that it is over; a failure's
  // text stays there.
  paced.Flush();
  std::string problem;
  if (outcome == ExtractionOutcome::Complete)
    problem = Commit(install, run);
  else if (outcome == ExtractionOutcome::EndedAtMissingVolume)
    problem = ProcessFailureText(ERAR_EOPEN); // nothing was installed: not a success
  install.End();
  if (!problem.empty())
    ShowStatus(problem);
  else if (outcome == ExtractionOutcome::Complete)
    RunEnded();
}

// The record and the uninstaller join the staged set, which is moved into
// place; then the program-list entry (without it the installation stands).
std::string TForm4::Commit(StagedInstall &install, const ExtractionRun &run) {
  const std::string regFile =
      ReleaseFilePath(Form1->DirectoryListBox1.Directory(), Form1->Edit1.Text());
  InstallationRecorder recorder(install, {Form1->Label1.Caption(), regFile, false, run.Files()});
  std::string problem = recorder.Prepare();
  if (problem.empty())
    problem = install.Commit();
  if (problem.empty())
    recorder.Register();
  return problem;
}

// The whole set is in place: back to the splash window, the start-up folder current again, and the
// registry file, if it names one there, handed to the editor.
void TForm4::RunEnded() {
  Hide();
  Form1->SetEnabled(true);
  if (!SetCurrentDirectoryA(Form1->DirectoryListBox1.Directory().c_str()))
    SetIoResult(static_cast<int32_t>(GetLastError()));
  IoCheck();
  const std::string regFile = Form1->Edit1.Text();
  if (IsFile(regFile))
    StartRegistryEditor(regFile);
}

void TForm4::ShowStatus(const std::string &text) {
  Label1.SetCaption(text);
  Label1.Repaint();
}

void TForm4::ShowHeading(const std::string &text) {
  // Painted at the next message processing, like any caption.
  Label3.SetCaption(text);
}

void TForm4::ShowProgress(int32_t position) {
  ProgressBar1.SetPosition(position);
}

void TForm4::ProcessMessages() {
  Application->ProcessMessages();
}

bool TForm4::AskForVolume(const std::string &prompt) {
  return Application->MessageBox(prompt, "Request", MB_OKCANCEL) != IDCANCEL;
}

void TForm4::ShowLibraryFailure(const Exception &error) {
  Application->HandleException(error);
}
