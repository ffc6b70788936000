#include "unattended/CommandLine.h"

#include "folders/FolderPath.h"

const char kUsageText[] =
    "Usage: Installer [/S /D=<folder> [/LOG=<file>] [/FORCE]] [/D=<folder>] [/?]\r\n"
    "       Uninstall /UNINSTALL [/S [/LOG=<file>]] [/D=<folder>]\r\n"
    "\r\n"
    "  /S            unattended: no window, no music, no question\r\n"
    "  /D=<folder>   the target folder, absolute; created when missing.\r\n"
    "                Required with /S; without /S the folder dialog starts there\r\n"
    "  /LOG=<file>   with /S: write a plain-text log of the run to <file>\r\n"
    "  /FORCE        with /S: install even when the drive has too little free space\r\n"
    "  /UNINSTALL    remove the installation in /D=<folder>, by default the one\r\n"
    "                in the program's own folder; asks first unless /S is given\r\n"
    "  /?, /HELP     this text\r\n"
    "\r\n"
    "Exit codes: 0 installed (removed), 1 bad command line, 2 release folder\r\n"
    "unusable, 3 not enough free space, 4 extraction failed, 5 registry import\r\n"
    "failed, 6 no usable installation record: nothing removed, 7 some files could\r\n"
    "not be removed.\r\n";

namespace {
bool IsSwitch(const std::string &arg) {
  return !arg.empty() && (arg[0] == '/' || arg[0] == '-');
}

// Switch names are ASCII: the file-name case rule without double bytes.
std::string Upper(const std::string &text) {
  return AsciiCase(text, false, [](unsigned char) { return false; });
}

// The first problem of a line whose switches were all known.
std::string Problem(const CommandLine &line) {
  if (line.hasTarget && line.target.empty())
    return "The target folder after /D= is empty.";
  if (line.hasTarget && !IsAbsoluteFolder(line.target))
    return "The target folder is not an absolute path: " + line.target;
  if (line.hasLog && line.log.empty())
    return "The log file after /LOG= is empty.";
  if (line.silent && !line.hasTarget && !line.uninstall)
    return "/S needs the target folder: /D=<folder>";
  if (!line.silent && line.hasLog)
    return "/LOG= works only with /S.";
  if (!line.silent && line.force)
    return "/FORCE works only with /S.";
  if (line.uninstall && line.force)
    return "/FORCE works only when installing.";
  return "";
}
} // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string> &args) {
  ParsedCommandLine parsed;
  CommandLine &line = parsed.line;
  std::string *folder = nullptr; // the /D= value that loose words join
  for (const std::string &arg : args) {
    if (!IsSwitch(arg)) {
      if (folder && !folder->empty()) {
        *folder += " " + arg;
        continue;
      }
      if (parsed.error.empty())
        parsed.error = "Unknown argument: " + arg;
      continue;
    }
    folder = nullptr;
    size_t equals = arg.find('=');
    std::string name = Upper(arg.substr(1, equals == std::string::npos ? equals : equals - 1));
    std::string value = equals == std::string::npos ? "" : arg.substr(equals + 1);
    bool hasValue = equals != std::string::npos;
    if (name == "?" || name == "HELP") {
      line.help = true;
    } else if (name == "S" && !hasValue) {
      line.silent = true;
    } else if (name == "FORCE" && !hasValue) {
      line.force = true;
    } else if (name == "UNINSTALL" && !hasValue) {
      line.uninstall = true;
    } else if (name == "D" && hasValue) {
      line.hasTarget = true;
      line.target = value;
      folder = &line.target;
    } else if (name == "LOG" && hasValue) {
      line.hasLog = true;
      line.log = value;
    } else if (parsed.error.empty()) {
      parsed.error = "Unknown switch: " + arg;
    }
  }
  if (line.help) {
    parsed.error.clear();
    return parsed;
  }
  if (parsed.error.empty())
    parsed.error = Problem(line);
  return parsed;
}
