// release-check FOLDER: what would go wrong if the installer ran from FOLDER.
// Exit status 0 clean, 1 warnings only, 2 errors, 3 usage.
#include "tools/release-check/Findings.h"
#include "tools/release-check/Platform.h"
#include "tools/release-check/ReleaseCheck.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
const char kUsage[] = "usage: release-check [--json] FOLDER\n"
                      "Checks a release folder for the installer. Exit status: 0 clean,\n"
                      "1 warnings only, 2 errors.\n";

void Write(FILE *out, const std::string &text) {
  std::fwrite(text.data(), 1, text.size(), out);
}
} // namespace

int main(int argc, char **argv) {
  bool json = false;
  std::string folder;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--json") == 0) {
      json = true;
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

  Write(stdout, json ? FormatJson(release.Path(), findings, facts) : FormatText(findings));
  return findings.ExitStatus();
}
