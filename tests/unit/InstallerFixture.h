// In-process harness: a release folder made current, the real application
// object and the six real forms, message boxes recorded instead of shown,
// and helpers that drive the forms with real window messages.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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

class InstallerFixture : public ::testing::Test {
protected:
  InstallerFixture();
  ~InstallerFixture() override;

  // Writes install.ini (CRLF lines) and install.mid into the release folder.
  void WriteRelease(const std::vector<std::string> &iniLines);
  // Makes the release folder current and creates the application and forms.
  // Returns false (with the exception's class and message in startError)
  // when start-up failed the way the program-level report would see it.
  bool StartInstaller();
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

  // The colour the form paints at a client point (rendered off-screen).
  COLORREF PixelAt(TForm &form, int x, int y);
  std::string CurrentDirectory() const;

  TempFolder release;
  std::vector<RecordedBox> boxes;
  std::string startError;

private:
  std::unique_ptr<TApplication> app_;
  std::string previousDirectory_;
  int boxAnswer_ = IDOK;
};
