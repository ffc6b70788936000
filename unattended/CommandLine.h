// The installer's switches. Portable: no windows.h; the arguments come in
// already split by the platform's command-line rules.
#pragma once

#include <string>
#include <vector>

struct CommandLine {
  bool silent = false;    // /S
  bool force = false;     // /FORCE
  bool help = false;      // /? or /HELP
  bool uninstall = false; // /UNINSTALL: remove the installation in /D= or the program's folder
  bool hasTarget = false;
  std::string target; // /D=
  bool hasLog = false;
  std::string log; // /LOG=
};

struct ParsedCommandLine {
  CommandLine line;
  std::string error; // the sentence naming the problem; "" when the line is good
};

// Switches start with '/' or '-' and are matched without regard to case.
// The words after /D= that are no switches belong to the folder (joined by
// one blank), so an unquoted folder with blanks still arrives whole. /? or
// /HELP anywhere asks for the usage and nothing else is checked.
ParsedCommandLine ParseCommandLine(const std::vector<std::string> &args);

// The usage, lines ended by CR LF.
extern const char kUsageText[];
