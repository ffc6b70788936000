// The shell call that starts the registry editor, recorded instead of made.
#pragma once

#include <string>
#include <vector>

struct ShellCall {
  bool noOwner;
  std::string verb, file, parameters, folder;
  int show;
};

// The calls made while a RecordedShell is alive.
extern std::vector<ShellCall> shellCalls;

// Routes the driver's shell calls into shellCalls (emptied) for its lifetime.
class RecordedShell {
public:
  RecordedShell();
  ~RecordedShell();
  RecordedShell(const RecordedShell &) = delete;
  RecordedShell &operator=(const RecordedShell &) = delete;
  // From now on the calls also reach the real shell (and editor).
  void Forward();
};
