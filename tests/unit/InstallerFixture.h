// In-process harness: a release folder made current, the real application
// object and the six real forms, message boxes recorded instead of shown,
// and helpers that drive the forms with real window messages.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Picture.h"
#include "TempFolder.h"
#include "runtime/Application.h"
#include "runtime/Form.h"

struct RecordedBox {
  std::string text;
  std::string caption;
  UINT style;
};

// A short valid MIDI file (one track, one note).
std::string SmallMidi();
// Nine lines joined with CR LF.
std::string IniText(const std::vector<std::string> &lines);
// The nine lines of a release whose files all exist in the fixture folder.
std::vector<std::string> StandardIniLines();
// The form's client area as it paints it now, rendered off-screen once.
Picture Render(TForm &form);

class InstallerFixture : public ::testing::Test {
protected:
  InstallerFixture();
  ~InstallerFixture() override;

  // Writes install.ini (CRLF lines) and install.mid into the release folder,
  // or into `folder` (such as a drive root), whose two files are then
  // removed again when the test ends.
  void WriteRelease(const std::vector<std::string> &iniLines, const std::string &folder = "");
  // Makes the release folder (or `folder`) current and creates the
  // application and forms. Returns false (with the exception's class and
  // message in startError) when start-up failed the way the program-level
  // report would see it. `folderDialogStart` as the program's /D= gives it.
  bool StartInstaller(const std::string &folder = "", const std::string &folderDialogStart = "");
  // Ends the program as its end would (forms destroyed, music closed),
  // forgets the boxes and makes the test's own folder current again, so a
  // table-driven test can start the next case afresh.
  void StopInstaller();

  // Answer for the next message boxes (IDOK by default).
  void AnswerBoxes(int answer) { boxAnswer_ = answer; }

  // Real window messages to a form, at client coordinates.
  void MoveMouse(TForm &form, int x, int y);
  void Press(TForm &form, int x, int y, TMouseButton button = TMouseButton::Left);
  void Release(TForm &form, int x, int y, TMouseButton button = TMouseButton::Left);
  void Click(TForm &form, int x, int y);
  void Pump();

  std::string CurrentDirectory() const;

  TempFolder release;
  std::vector<RecordedBox> boxes;
  std::string startError;

private:
  std::unique_ptr<TApplication> app_;
  std::string previousDirectory_;
  std::vector<std::string> outsideFiles_; // written by WriteRelease outside `release`
  int boxAnswer_ = IDOK;
};
