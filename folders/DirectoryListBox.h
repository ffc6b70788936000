// A list of the folders on the way to a directory and of its subfolders,
// drawn as a small tree. It keeps the process's current directory on the
// folder it shows: every completed change leaves the current directory there.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "runtime/Control.h"

class TDriveComboBox;

class TDirectoryListBox : public TWinControl {
public:
  explicit TDirectoryListBox(TForm *owner);
  ~TDirectoryListBox() override;

  // The folder shown, as the platform reports the current directory.
  const std::string &Directory() const { return directory_; }
  // Moves the list (and the current directory) to `path`; raises
  // EInOutError with everything unchanged when the folder cannot be entered.
  void SetDirectory(const std::string &path);
  // First character of Directory().
  char Drive() const;
  // Moves to the folder the platform keeps current for `drive`.
  void SetDrive(char drive);
  // Called by a linked drive list when its drive changes.
  void DriveSwitch(char drive);

  void RebuildList();
  // Path of item `index` ("" past the end).
  std::string ItemPath(int index) const;
  // Opens the selected item (double-click, Enter).
  void OpenSelected();

  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  int ItemCount() const;
  std::string ItemText(int index) const;
  int ItemIndex() const;
  void SetItemIndex(int index);

  // Set by TDriveComboBox::SetDirList; cleared when that list goes.
  void SetDriveList(TDriveComboBox *driveList) { driveList_ = driveList; }

  std::function<void()> OnChange;

protected:
  void GetCreateParams(CreateParams &params) override;

private:
  std::string directory_;
  int itemHeight_ = 16;
  TDriveComboBox *driveList_ = nullptr;
};
