// A list of the folders on the way to a directory and of its subfolders,
// drawn as a small tree. It keeps the process's current directory on the
// folder it shows: every completed change leaves the current directory there.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "folders/FolderPath.h"
#include "runtime/ListPicture.h"
#include "runtime/OwnerDrawList.h"

class TDriveComboBox;
class WinFolderSystem;

class TDirectoryListBox : public TOwnerDrawList {
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

  void SetItemHeight(int height);
  int ItemCount() const;
  std::string ItemText(int index) const;
  int ItemIndex() const;
  void SetItemIndex(int index);

  // Set by TDriveComboBox::SetDirList; cleared when that list goes.
  void SetDriveList(TDriveComboBox *driveList) { driveList_ = driveList; }

  // Also sets the item height from the font.
  void SetFont(const TFontDesign &font);
  // A list first shown builds its items then, not before.
  void SetVisible(bool visible) override;

  std::function<void()> OnChange;

  // What the drawing shows, for tests.
  FolderKind ItemKind(int index) const;
  int ItemIndent(int index) const;
  std::string DisplayText(int index) const;
  bool CasePreserving() const { return casePreserving_; }
  bool CaseSensitive() const { return caseSensitive_; }
  // Replaces the file system (tests); nullptr restores the platform's.
  void SetFolderSystem(WinFolderSystem *fs);

protected:
  void GetCreateParams(CreateParams &params) override;
  void HandleCreated() override;
  bool ItemNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result) override;

private:
  bool SameFolder(const std::string &path) const;
  void Notify();
  void FillWindow(int selected);
  void DrawItem(const DRAWITEMSTRUCT &item) override;
  const TListPicture &Picture(FolderKind kind) const;
  int FontItemHeight() const;

  std::string directory_;
  std::vector<FolderItem> items_;
  bool listed_ = false; // the window holds items_
  bool casePreserving_ = false;
  bool caseSensitive_ = false;
  bool switching_ = false; // a change is moving to another drive
  TListPicture openFolder_{"OPENFOLDER"};
  TListPicture currentFolder_{"CURRENTFOLDER"};
  TListPicture closedFolder_{"CLOSEDFOLDER"};
  TDriveComboBox *driveList_ = nullptr;
  WinFolderSystem *fs_;
};
