// The program-level report: the last stop for an exception that escaped
// start-up. Shows one task-modal box and ends the process with exit code 1.
#pragma once

#include <string>

class Exception;

// "Exception <class> in module <file> at <address>.\n<message>[.]", at most
// 1023 characters. `address` is where the exception was raised.
std::string ProgramErrorText(const char *className, const std::string &message,
                             const void *address);

[[noreturn]] void ShowProgramReport(const Exception &error);
[[noreturn]] void ShowProgramReport(const char *className, const std::string &message,
                                    const void *address);
