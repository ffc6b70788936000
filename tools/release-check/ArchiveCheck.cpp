#include "tools/release-check/ArchiveCheck.h"

#include "extract/ArchiveLibrary.h"
#include "extract/EntryChecksum.h"
#include "extract/ExtractTexts.h"
#include "runtime/Crc32.h"

#include <set>

namespace {
constexpr int kLine = 6;

// The library's callbacks carry no context: the one walk under way.
struct Walk {
  int volumes = 1;
  std::string missingVolume;
  bool crcFromData = false; // see HeaderHoldsFileCrc
  uint32_t dataCrc = 0;
};
Walk *current = nullptr;

int UNRAR_CALL ChangeVolume(char *arcName, int mode) {
  if (mode == RAR_VOL_ASK) {
    // Nobody to insert a disk: give up on it, and say which one it was.
    const std::string path = arcName;
    current->missingVolume = path.substr(path.find_last_of("\\/:") + 1);
    return 0;
  }
  ++current->volumes;
  return 1;
}

int UNRAR_CALL ProcessData(unsigned char *data, int size) {
  if (current->crcFromData && size > 0)
    current->dataCrc = Crc32(data, static_cast<size_t>(size), current->dataCrc);
  return 1;
}

// The entry's name as the installation records it: folders parted by
// backslashes.
std::string RecordedName(const std::string &entry) {
  std::string name = entry;
  for (char &c : name)
    if (c == '/')
      c = '\\';
  return name;
}

std::string Quoted(const std::string &text) {
  return "\"" + text + "\"";
}

bool IsPasswordCode(int code) {
  return code == ERAR_MISSING_PASSWORD || code == ERAR_BAD_PASSWORD;
}

void EncryptedHeaders(const std::string &name, Findings &findings) {
  findings.Error(kLine, "the archive \"" + name +
                            "\" has encrypted headers: the installer cannot give a password");
}

void OpenFailed(int code, const std::string &path, const std::string &name, Findings &findings) {
  if (IsPasswordCode(code)) {
    EncryptedHeaders(name, findings);
    return;
  }
  const std::string status = OpenFailureText(code, path);
  findings.Error(kLine,
                 "the archive library cannot open " + Quoted(name) + " (code " +
                     std::to_string(code) + ")" +
                     (status.empty() ? std::string() : ": the installer shows " + Quoted(status)));
}

void MissingVolume(const Walk &walk, Findings &findings) {
  findings.Error(kLine, "the volume " + Quoted(walk.missingVolume) +
                            " of the set is missing: the installer stops there and asks to "
                            "\"Insert disk\" it");
}

void EntryFailed(int code, const std::string &entry, const Walk &walk, Findings &findings) {
  if (!walk.missingVolume.empty()) {
    MissingVolume(walk, findings);
    return;
  }
  if (IsPasswordCode(code)) {
    findings.Error(kLine, "the entry " + Quoted(entry) +
                              " needs a password: the installer cannot give one");
    return;
  }
  const std::string status = ProcessFailureText(code);
  findings.Error(
      kLine, "the entry " + Quoted(entry) + " fails the archive library's test (code " +
                 std::to_string(code) + ")" +
                 (status.empty() ? std::string() : ": the installer stops with " + Quoted(status)));
}

void HeadersEnded(int code, const std::string &name, const Walk &walk, Findings &findings) {
  if (!walk.missingVolume.empty()) {
    MissingVolume(walk, findings);
  } else if (IsPasswordCode(code)) {
    EncryptedHeaders(name, findings);
  } else {
    const std::string status = HeaderFailureText(code);
    findings.Error(kLine, "reading the set's headers fails (code " + std::to_string(code) +
                              "): the installer ends early with entries missing" +
                              (status.empty() ? std::string() : " and shows " + Quoted(status)));
  }
}
} // namespace

void CheckArchive(ArchiveLibrary &library, const std::string &path, const std::string &name,
                  Findings &findings, ReleaseFacts &facts) {
  std::string arcName = path;
  RAROpenArchiveDataEx open{};
  open.ArcName = &arcName[0];
  open.OpenMode = RAR_OM_EXTRACT;
  RarHandle archive = library.OpenArchiveEx(&open);
  if (archive == nullptr || open.OpenResult != 0) {
    OpenFailed(static_cast<int>(open.OpenResult), path, name, findings);
    return;
  }
  if ((open.Flags & ROADF_VOLUME) && !(open.Flags & ROADF_FIRSTVOLUME)) {
    findings.Error(kLine, Quoted(name) +
                              " is not the first volume of its set: the installer would start "
                              "unpacking in the middle of the set");
    library.CloseArchive(archive);
    return;
  }

  Walk walk;
  current = &walk;
  library.SetChangeVolProc(archive, ChangeVolume);
  library.SetProcessDataProc(archive, ProcessData);

  bool failed = false;
  RARHeaderDataEx header{};
  int code;
  std::set<std::string> folders;
  while ((code = library.ReadHeaderEx(archive, &header)) == ERAR_SUCCESS) {
    const std::string entry = EntryName(header.FileName, sizeof header.FileName);
    const std::string recorded = RecordedName(entry);
    for (size_t slash = recorded.find('\\'); slash != std::string::npos;
         slash = recorded.find('\\', slash + 1))
      folders.insert(recorded.substr(0, slash));
    if (header.Flags & RHDF_DIRECTORY)
      folders.insert(recorded);
    walk.crcFromData = !HeaderHoldsFileCrc(header);
    walk.dataCrc = 0;
    if (header.Flags & RHDF_ENCRYPTED) {
      EntryFailed(ERAR_MISSING_PASSWORD, entry, walk, findings);
      failed = true;
      break;
    }
    ++facts.entries;
    if (!(header.Flags & RHDF_DIRECTORY))
      facts.unpackedBytes += (static_cast<uint64_t>(header.UnpSizeHigh) << 32) | header.UnpSize;
    const int result = library.ProcessFile(archive, RAR_TEST, nullptr, nullptr);
    if (result != ERAR_SUCCESS) {
      EntryFailed(result, entry, walk, findings);
      failed = true;
      break;
    }
    if (!(header.Flags & RHDF_DIRECTORY))
      facts.files.push_back({recorded,
                             (static_cast<uint64_t>(header.UnpSizeHigh) << 32) | header.UnpSize,
                             walk.crcFromData ? walk.dataCrc : header.FileCRC});
    header = RARHeaderDataEx{};
  }
  if (!failed && code != ERAR_END_ARCHIVE) {
    HeadersEnded(code, name, walk, findings);
    failed = true;
  }
  library.CloseArchive(archive);
  current = nullptr;
  facts.volumes = walk.volumes;
  facts.archiveTested = !failed;
  facts.folders.assign(folders.begin(), folders.end());
}
