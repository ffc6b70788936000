// A drop-down list of the machine's drives, each with a picture for its
// kind and its volume label or network name.
#pragma once

#include <functional>
#include <string>

#include "runtime/Control.h"

class TDirectoryListBox;

enum TTextCase { tcLowerCase, tcUpperCase };

class TDriveComboBox : public TWinControl {
public:
  explicit TDriveComboBox(TForm *owner);
  ~TDriveComboBox() override;

  // The selected drive letter in the case of TextCase(); 0 for none.
  char Drive() const { return drive_; }
  // Selects the entry of `drive` and raises OnChange (nothing when it is
  // already selected).
  void SetDrive(char drive);
  TTextCase TextCase() const { return textCase_; }
  void SetTextCase(TTextCase textCase);
  // A directory list that follows the selected drive (optional).
  TDirectoryListBox *DirList() const { return dirList_; }
  void SetDirList(TDirectoryListBox *dirList);

  int ItemCount() const;
  std::string ItemText(int index) const;
  int ItemIndex() const;

  std::function<void()> OnChange;

protected:
  void GetCreateParams(CreateParams &params) override;

private:
  char drive_ = 0;
  TTextCase textCase_ = tcLowerCase;
  TDirectoryListBox *dirList_ = nullptr;
};
