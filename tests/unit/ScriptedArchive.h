// A stand-in for unrar.dll that plays a script: open result and comment,
// entries with their names (narrow and wide), sizes, data blocks and processing results, and the
// code that ends the header reads. Records what the driver asked.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "extract/ArchiveLibrary.h"

struct ScriptedEntry {
  ScriptedEntry(std::string name, uint64_t size, std::vector<int> blocks = {}, int result = 0,
                std::function<void(size_t block)> afterBlock = nullptr)
      : name(std::move(name)), size(size), blocks(std::move(blocks)), result(result),
        afterBlock(std::move(afterBlock)) {}

  std::string name;        // the narrow field (the library's OEM code page)
  std::wstring wideName;   // the wide field; empty: `name` widened byte by byte
  bool noWideName = false; // the wide field left empty, as by an older library
  uint64_t size;
  std::vector<int> blocks; // data blocks reported while processing
  int result;              // of RARProcessFile
  // Runs inside RARProcessFile after the data block with this index.
  std::function<void(size_t block)> afterBlock;
};

class ScriptedArchive : public ArchiveLibrary {
public:
  int openResult = 0;
  unsigned cmtState = 0;
  std::string comment;
  std::vector<ScriptedEntry> entries;
  int endResult = ERAR_END_ARCHIVE;

  // What the driver did.
  RAROpenArchiveData opened{};
  std::string openedName;
  int opens = 0, closes = 0, narrowHeaderReads = 0;
  std::vector<int> operations;
  std::wstring destination; // of the last processing call
  CHANGEVOLPROC changeVol = nullptr;
  PROCESSDATAPROC processData = nullptr;
  // Runs at every header read, before it answers (index of the entry read).
  std::function<void(size_t index)> atHeader;

  RarHandle OpenArchive(RAROpenArchiveData *data) override {
    ++opens;
    opened = *data;
    openedName = data->ArcName;
    data->OpenResult = openResult;
    data->CmtState = cmtState;
    if (!comment.empty())
      std::memcpy(data->CmtBuf, comment.data(), std::min<size_t>(comment.size(), data->CmtBufSize));
    return openResult == 0 ? this : nullptr;
  }
  int CloseArchive(RarHandle) override {
    ++closes;
    return 0;
  }
  int ReadHeader(RarHandle, RARHeaderData *) override {
    ++narrowHeaderReads;
    return ERAR_UNKNOWN;
  }
  int ReadHeaderEx(RarHandle, RARHeaderDataEx *header) override {
    if (atHeader)
      atHeader(next_);
    if (next_ >= entries.size())
      return endResult;
    const ScriptedEntry &entry = entries[next_];
    std::strncpy(header->FileName, entry.name.c_str(), sizeof header->FileName - 1);
    std::wstring wide = entry.wideName;
    if (wide.empty())
      for (char c : entry.name)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    if (!entry.noWideName)
      std::wcsncpy(header->FileNameW, wide.c_str(), std::size(header->FileNameW) - 1);
    header->UnpSize = static_cast<unsigned>(entry.size);
    header->UnpSizeHigh = static_cast<unsigned>(entry.size >> 32);
    // A whole entry of a RAR 2.9 set, whose header's CRC the driver takes:
    // the data blocks it is handed here are not really there.
    header->HashType = RAR_HASH_CRC32;
    header->UnpVer = 29;
    return 0;
  }
  // The driver names its folder through the wide call only.
  int ProcessFile(RarHandle, int, char *, char *) override { return ERAR_UNKNOWN; }
  int ProcessFileW(RarHandle, int operation, wchar_t *destPath, wchar_t *destName) override {
    operations.push_back(operation);
    destination = destPath ? destPath : L"(none)";
    if (destName)
      return ERAR_UNKNOWN;
    const ScriptedEntry &entry = entries[next_++];
    std::vector<unsigned char> data(1);
    for (size_t i = 0; i < entry.blocks.size(); ++i) {
      processData(data.data(), entry.blocks[i]);
      if (entry.afterBlock)
        entry.afterBlock(i);
    }
    return entry.result;
  }
  void SetChangeVolProc(RarHandle, CHANGEVOLPROC proc) override { changeVol = proc; }
  void SetProcessDataProc(RarHandle, PROCESSDATAPROC proc) override { processData = proc; }

private:
  size_t next_ = 0;
};
