// The installer's switches, from arguments as the platform splits them to
// the parsed line or the sentence that names the problem.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unattended/CommandLine.h"

namespace {

struct Case {
  std::vector<std::string> args;
  std::string error; // "" for a good line
  bool silent, force, help;
  std::string target, log;
  bool uninstall = false;
};

const Case kCases[] = {
    {{"/S", "/D=C:\\Program Files\\Demo"}, "", true, false, false, "C:\\Program Files\\Demo", ""},
    // Switches ignore case and may start with '-'.
    {{"-s", "/d=c:\\x", "/log=out.log", "-Force"}, "", true, true, false, "c:\\x", "out.log"},
    // An unquoted folder with blanks arrives in pieces: joined again.
    {{"/S", "/D=C:\\Program", "Files\\Demo", "/LOG=a b.log"},
     "",
     true,
     false,
     false,
     "C:\\Program Files\\Demo",
     "a b.log"},
    {{"/S", "/D=\\\\server\\share\\apps"}, "", true, false, false, "\\\\server\\share\\apps", ""},
    {{"/S", "/D=C:/apps"}, "", true, false, false, "C:/apps", ""},
    // Only the first '=' ends the switch's name.
    {{"/S", "/D=C:\\a=b", "/LOG=C:\\a=b.log"}, "", true, false, false, "C:\\a=b", "C:\\a=b.log"},
    // Without /S, /D= alone is where the folder dialog starts.
    {{"/D=D:\\Games"}, "", false, false, false, "D:\\Games", ""},
    // Help wins over everything else, errors included.
    {{"/?"}, "", false, false, true, "", ""},
    {{"/S", "/bogus", "-HELP"}, "", true, false, true, "", ""},
    {{"/X"}, "Unknown switch: /X", false, false, false, "", ""},
    {{"/S=1", "/D=C:\\x"}, "Unknown switch: /S=1", false, false, false, "C:\\x", ""},
    {{"/D"}, "Unknown switch: /D", false, false, false, "", ""},
    {{"C:\\x"}, "Unknown argument: C:\\x", false, false, false, "", ""},
    {{"/S", "/D="}, "The target folder after /D= is empty.", true, false, false, "", ""},
    {{"/S", "/D=", "C:\\x"}, "Unknown argument: C:\\x", true, false, false, "", ""},
    {{"/S", "/D=Demo"},
     "The target folder is not an absolute path: Demo",
     true,
     false,
     false,
     "Demo",
     ""},
    {{"/S", "/D=C:Demo"},
     "The target folder is not an absolute path: C:Demo",
     true,
     false,
     false,
     "C:Demo",
     ""},
    {{"/S", "/D=\\Demo"},
     "The target folder is not an absolute path: \\Demo",
     true,
     false,
     false,
     "\\Demo",
     ""},
    {{"/S"}, "/S needs the target folder: /D=<folder>", true, false, false, "", ""},
    {{"/S", "/D=C:\\x", "/LOG="},
     "The log file after /LOG= is empty.",
     true,
     false,
     false,
     "C:\\x",
     ""},
    {{"/LOG=a.log"}, "/LOG= works only with /S.", false, false, false, "", "a.log"},
    {{"/FORCE", "/D=C:\\x"}, "/FORCE works only with /S.", false, true, false, "C:\\x", ""},
    // Removal: the folder is the program's own unless /D= names one.
    {{"/UNINSTALL", "/S"}, "", true, false, false, "", "", true},
    {{"-uninstall", "/D=C:\\x"}, "", false, false, false, "C:\\x", "", true},
    {{"/UNINSTALL", "/LOG=a.log"},
     "/LOG= works only with /S.",
     false,
     false,
     false,
     "",
     "a.log",
     true},
    {{"/UNINSTALL", "/S", "/FORCE"},
     "/FORCE works only when installing.",
     true,
     true,
     false,
     "",
     "",
     true},
};

TEST(CommandLine, ParsesTheTable) {
  for (const Case &c : kCases) {
    std::string shown;
    for (const std::string &arg : c.args)
      shown += "[" + arg + "]";
    SCOPED_TRACE(shown);
    ParsedCommandLine parsed = ParseCommandLine(c.args);
    EXPECT_EQ(parsed.error, c.error);
    EXPECT_EQ(parsed.line.silent, c.silent);
    EXPECT_EQ(parsed.line.force, c.force);
    EXPECT_EQ(parsed.line.help, c.help);
    EXPECT_EQ(parsed.line.target, c.target);
    EXPECT_EQ(parsed.line.log, c.log);
    EXPECT_EQ(parsed.line.uninstall, c.uninstall);
  }
}

} // namespace
