// release-check FOLDER: what would go wrong if the installer ran from FOLDER.
// Exit status 0 clean, 1 warnings only, 2 errors, 3 usage.
#include "tools/release-check/Findings.h"
#include "tools/release-check/Platform.h"
#include "tools/release-check/RecordCheck.h"
#include "tools/release-check/ReleaseCheck.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
const char kUsage[] =
    "usage: release-check [--json | --record] FOLDER\n"
    "       release-check --measure HEIGHT WRAP-WIDTH TEXT\n"
    "Checks a release folder for the installer. Exit status: 0 clean,\n"
    "1 warnings only, 2 errors. --record adds what an installation records\n"
    "(Uninstall.txt) and lists among the installed programs. --measure prints the width and height "
    "of TEXT\n"
    "in Arial bold HEIGHT as a splash window label draws it (WRAP-WIDTH 0: one line).\n"
    "A release that passes also installs unattended:\n"
    "  Installer.exe /S \"/D=<absolute folder>\" [/LOG=<file>] [/FORCE]\n"
    "(exit codes 0 installed, 1 bad command line, 2 release unusable, 3 not enough\n"
    "space, 4 extraction failed, 5 registry import failed; Installer.exe /? for more)\n"
    "and is removed with the uninstaller it leaves in the target folder:\n"
    "  Uninstall.exe /UNINSTALL /S [/LOG=<file>]   (0 removed, 6 no usable record,\n"
    "  7 some files could not be removed).\n";

void Write(FILE *out, const std::string &text) {
  std::fwrite(text.data(), 1, text.size(), out);
}

// The figures behind the label findings, to compare the two builds.
int Measure(int argc, char **argv) {
  if (argc != 5) {
    Write(stderr, kUsage);
    return 3;
  }
  int slack = 0;
  std::string problem;
  std::unique_ptr<TextMeasure> measure = LoadTextMeasure(&slack, &problem);
  if (!measure) {
    Write(stderr, "release-check: " + problem + "\n");
    return 3;
  }
  const int height = std::atoi(argv[2]), wrap = std::atoi(argv[3]);
  const TextExtent extent =
      wrap > 0 ? measure->Wrapped(height, argv[4], wrap) : measure->Line(height, argv[4]);
  Write(stdout, std::to_string(extent.width) + " " + std::to_string(extent.height) + "\n");
  return 0;
}
} // namespace

int main(int argc, char **argv) {
  if (argc > 1 && std::strcmp(argv[1], "--measure") == 0)
    return Measure(argc, argv);
  bool json = false, record = false;
  std::string folder;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--json") == 0) {
      json = true;
    } else if (std::strcmp(argv[i], "--record") == 0) {
      record = true;
    } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      Write(stdout, kUsage);
      return 0;
    } else if (argv[i][0] == '-' || !folder.empty()) {
      Write(stderr, kUsage);
      return 3;
    } else {
      folder = argv[i];
    }
  }
  if (folder.empty()) {
    Write(stderr, kUsage);
    return 3;
  }

  const ReleaseFolder release(AbsoluteFolder(folder));
  if (release.Locate("").kind != ReleaseFolder::Kind::Folder) {
    Write(stderr, "release-check: " + folder + ": no such folder\n");
    return 3;
  }
  CheckSetup setup;
  std::string problem;
  std::unique_ptr<TextMeasure> measure = LoadTextMeasure(&setup.slack, &problem);
  setup.measure = measure.get();

  Findings findings;
  if (!measure)
    findings.Add("release-check", 0, Severity::Warning,
                 "the widths of the texts were not checked: " + problem);
  ReleaseFacts facts;
  CheckRelease(release, setup, findings, facts);

  Write(stdout, json     ? FormatJson(release.Path(), findings, facts)
                : record ? FormatText(findings) + FormatRecord(facts)
                         : FormatText(findings));
  return findings.ExitStatus();
}
