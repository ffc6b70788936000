// A list of the folders on the way to a directory and of its subfolders.
// It remembers the process's current directory when it is created.
#pragma once

#include <string>

#include "runtime/Control.h"

class TDirectoryListBox : public TWinControl {
public:
  explicit TDirectoryListBox(TForm *owner);

  // The folder the list shows; no trailing backslash unless a drive root.
  const std::string &Directory() const { return directory_; }

protected:
  void GetCreateParams(CreateParams &params) override;

private:
  std::string directory_;
};
