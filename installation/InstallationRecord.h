// The record an installation leaves in its target folder: what it put in
// place, so that removal takes back exactly that and nothing of the user's.
//
// Plain UTF-8 text that a person can read, one entry a line (CR LF), fields
// separated by tabs; '%', tabs, line breaks and the other control
// characters in a field written as %XX. Installing again into the same
// folder appends a section. Each section starts with its header, naming the
// format's version, and ends with a checksum line, the CRC-32 of the
// section's bytes before it, so a damaged, edited or cut-short record is
// refused as a whole rather than half followed:
// clang-format off
//
//   installation record	1
//   title	Demo Release 1.0
//   entry	HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Uninstall\Installer-67CE2D4B4B4B170A
//   target	created
//   folder	bin
//   file	bin\tool.exe	1234	1a2b3c4d
//   file	readme.txt	56	0badf00d
//   key	created	HKEY_CURRENT_USER\Software\Demo
//   value	set	HKEY_CURRENT_USER\Software\Demo	Path	missing
//   value	set	HKEY_CURRENT_USER\Software\Old	Color	REG_SZ	text:Red
//   value	deleted	HKEY_CURRENT_USER\Software\Old		REG_DWORD	hex:2a000000
//   checksum	89eaf0a7
// clang-format on
//
// "target created" says the run made the target folder ("existed": it is
// never removed); a folder line names a folder the run made; a file line
// gives the path, size and CRC-32 of a file the run put in place; key and
// value lines are the registry's prior state (RegistryPriorState.h).
//
// A value's prior data is "missing", or its type and "text:" (a string
// type whose bytes are exactly a string) or "hex:". Paths are relative to
// the target folder: a file or folder line naming an absolute path, a drive,
// a ".." (or any name ending in a dot or blank, which the platform trims
// to one) is refused on reading and reported, never followed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "registry/RegistryPriorState.h"

// The record's name in the target folder.
constexpr const char kRecordName[] = "Uninstall.txt";
constexpr int kRecordVersion = 1;

struct RecordedFile {
  std::string path; // relative to the target
  uint64_t size = 0;
  uint32_t crc = 0;
};

struct RecordSection {
  std::string title;    // the release title
  std::string entryKey; // the program-list entry's key
  bool targetExisted = true;
  std::vector<std::string> folders; // made by the run, relative to the target
  std::vector<RecordedFile> files;
  RegistryPriorState registry;
  // On reading: the lines refused, as "line <n>: <line>".
  std::vector<std::string> refused;
};

// The section's text, checksum line included, to append to the record.
std::string RecordSectionText(const RecordSection &section);

struct RecordReading {
  enum class Problem {
    None,
    Empty,        // no record, or an empty one
    NotARecord,   // the first line is no record header
    OtherVersion, // a section in another format
    Truncated,    // the record ends inside a section
    Damaged,      // a section's checksum does not match: damaged or edited
    Unreadable,   // a line this format does not have
  };
  Problem problem = Problem::None;
  int line = 0;                        // where it was found (1-based)
  std::vector<RecordSection> sections; // all, oldest first; none on a problem
};

RecordReading ReadRecord(const std::string &bytes);

// Why the record was refused, as a sentence; "" without a problem.
std::string RecordProblemText(const RecordReading &reading);

// True for a path relative to the target that stays inside it.
bool IsInsidePath(const std::string &path);
