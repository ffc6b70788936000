// The installer's switches. Portable: no windows.h; the arguments come in
// already split by the platform's command-line rules.
#pragma once

#include <string>
#include <vector>

// Exit codes of a start with switches; stable, documented in the README.
enum class ExitCode {
  Installed = 0,
  BadCommandLine = 1,
  UnusableRelease = 2,
  NotEnoughSpace = 3,
  ExtractionFailed = 4,
  RegistryImportFailed = 5,
};

struct CommandLine {
  bool silent = false; // /S
  bool force = false;  // /FORCE
  bool help = false;   // /? or /HELP
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

// The length of the root of an absolute folder: 3 for "C:\..." (either
// slash), up to the end of the share name for "\\server\share..."; 0 for a
// folder that depends on the current drive or directory.
size_t AbsoluteRootLength(const std::string &path);
bool IsAbsoluteFolder(const std::string &path);

// The usage, lines ended by CR LF.
extern const char kUsageText[];
