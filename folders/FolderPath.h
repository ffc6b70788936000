// Path handling of the directory list that needs no window: drive parts,
// the chain of folders shown above a folder, item paths and the split of a
// path by trying the directory changes it asks for. The file system sits
// behind FolderSystem, so this file builds without windows.h.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "folders/CodePage.h"

// The platform's path buffers hold 260 bytes with the terminating zero.
constexpr size_t kMaxPathBytes = 260;
// The platform's code for a name that does not fit (ERROR_FILENAME_EXCED_RANGE).
constexpr int kPathTooLong = 206;

// The file system as the path logic uses it; its code page tells which
// bytes start a double-byte character.
class FolderSystem : public CodePage {
public:
  // 0 with the current directory in `path`, or the platform's error code;
  // a directory that does not fit the buffer is an error, never cut short.
  virtual int CurrentDirectory(std::string &path) = 0;
  // 0 or the platform's error code.
  virtual int ChangeDirectory(const std::string &path) = 0;
  // True for an existing entry of that name that is not a folder.
  virtual bool IsFile(const std::string &path) = 0;
};

enum class FolderKind { Ancestor, Current, Subfolder };

struct FolderItem {
  std::string text;
  FolderKind kind;
};

bool FitsPathBuffer(const std::string &path);

// "C:" for C:\APPS, "\\server\share" for \\server\share\data, "" otherwise.
std::string DrivePart(const std::string &path);
// The length of the root of an absolute folder: 3 for "C:\..." (either
// slash), up to the end of the share name for "\\server\share..."; 0 for a
// folder that depends on the current drive or directory.
size_t AbsoluteRootLength(const std::string &path);
bool IsAbsoluteFolder(const std::string &path);
// `folder`, a backslash unless it ends with one, and `name`. In double-byte
// code pages a 0x5C trail byte at the end is part of a character, not a
// backslash.
std::string JoinPath(const std::string &folder, const std::string &name, FolderSystem &fs);
// Number of backslashes in `path` (trail bytes of double-byte characters
// are not backslashes).
int PathDepth(const std::string &path, FolderSystem &fs);

// The folders from the root (its first `rootLength` bytes) down to `path`:
// each prefix that ends before a backslash or slash. Trail bytes of
// double-byte characters are no separators. Empty when `rootLength` is 0.
std::vector<std::string> FolderLevels(const std::string &path, size_t rootLength,
                                      CodePage &codePage);

// The root, the ancestors and the folder itself, in display order.
std::vector<FolderItem> FolderChain(const std::string &directory, FolderSystem &fs);

// The path that opening `items[index]` of a list showing `directory` goes
// to; "" past the end. Ancestors below the first item carry no drive part.
std::string ItemPath(const std::string &directory, const std::vector<FolderItem> &items, int index,
                     FolderSystem &fs);

struct SplitResult {
  int error = 0;      // the first failing change's code; 0 when all went well
  char drive = 0;     // drive letter, 0 for a network path
  std::string folder; // folder part (with the share for a network path)
  std::string name;   // what is left to open: a file, a pattern, or ""
};

// Splits `path` by changing to its drive, folder and last name in turn; the
// current directory is changed back before it returns, whatever happened.
SplitResult SplitPath(const std::string &path, FolderSystem &fs);

// A-Z and a-z only, every other byte as it is: the file-name case rule of
// double-byte systems, where both bytes of a character stay untouched.
std::string AsciiCase(std::string text, bool lower,
                      const std::function<bool(unsigned char)> &isLeadByte);
