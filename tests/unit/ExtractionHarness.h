// Shared by the extraction dialog's tests: the installer started with its
// extraction dialog shown over a target folder, the shell call recorded,
// and helpers that click the dialog and read the outcome of a run.
#pragma once

#include <cstdint>
#include <string>

#include "InstallerFixture.h"
#include "ShellRecorder.h"

class ExtractionHarness : public InstallerFixture {
protected:
  // The dialog's frame clock is the test's: it moves `clockStep` ms at
  // every reading, a frame's worth by default, so each state the run makes
  // reaches the screen; 0 stops it.
  ExtractionHarness();
  ~ExtractionHarness() override;

  // Writes the release (with `archive` as the set's first volume and
  // `regFile` as the registry line), starts the installer, opens the folder
  // "target" in the folder dialog's list (which makes it current) and shows
  // the dialog the way the folder dialog will.
  void OpenDialog(const std::string &archive = "demo.part1.rar",
                  const std::string &regFile = "demo.reg");
  // Shell calls are recorded and also reach the real shell (and editor).
  void ForwardShellCalls();
  void ClickExtract();
  void ClickCancel();

  std::string Target() const { return release.Path("target"); }
  // The run stopped on a failure: the text shown, everything left as it was.
  void ExpectFailedRun(const std::string &status);
  // The run reached the end of the set and handed control back.
  void ExpectCompletedRun();

  uint32_t clockStep = 1000;
  uint32_t clockNow = 0;

private:
  RecordedShell shell_;
};
