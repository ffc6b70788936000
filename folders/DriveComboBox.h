// A drop-down list of the machine's drives, each with a picture for its
// kind and its volume label or network name.
#pragma once

#include <functional>
#include <string>

#include "runtime/ListPicture.h"
#include "runtime/OwnerDrawList.h"

class TDirectoryListBox;
class TDriveSystem;

enum TTextCase { tcLowerCase, tcUpperCase };

class TDriveComboBox : public TOwnerDrawList {
public:
  explicit TDriveComboBox(TForm *owner);
  ~TDriveComboBox() override;

  // The selected drive letter in the case of TextCase(); 0 for none.
  char Drive() const { return drive_; }
  // Selects the entry of `drive` and raises OnChange (nothing when it is
  // already selected). Before the window exists it only keeps the drive,
  // which the window selects when it is made.
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

  // The larger of the font's text height and the drive pictures' height.
  // The picture drawn beside entry `index`, or nullptr.
  const TListPicture *ItemPicture(int index) const;
  // Where the drives are read from; the platform unless a test replaces it
  // (before the window exists). nullptr restores the platform's.
  void SetDriveSystem(TDriveSystem *system);

  void SetBounds(int left, int top, int width, int height) override;
  bool ItemNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result) override;

protected:
  void GetCreateParams(CreateParams &params) override;
  void HandleCreated() override;
  void FontChanged() override;
  // Fills the entries from the drives present, in letter order.
  virtual void BuildList();
  // The user picked an entry: take its drive.
  virtual void Click();
  void Change();

private:
  // A message to the window, which must exist.
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;
  void DrawItem(const DRAWITEMSTRUCT &item) override;
  void ResetItemHeight();
  void ApplyItemHeight();
  const TListPicture *PictureFor(UINT driveType) const;
  std::string VolumeLabel(const char *root, bool lower);
  std::string NetworkName(char letter, const char *root, bool lower);

  char drive_ = 0;
  TTextCase textCase_ = tcLowerCase;
  bool listDropped_ = false; // since the box last took the focus
  TDirectoryListBox *dirList_ = nullptr;
  TDriveSystem *system_;
  TListPicture floppy_{"FLOPPY"};
  TListPicture hard_{"HARD"};
  TListPicture network_{"NETWORK"};
  TListPicture cdrom_{"CDROM"};
  TListPicture ram_{"RAM"};
};
