// What a registry file's import overwrites, recorded before the import, and
// put back when the installation is removed.
//
// Before the import, every key and value the file sets or deletes is read:
// whether it existed, and a value's type and data. The file's changes are
// followed in order, so a value set and later deleted (or a key deleted and
// set again) is recorded by what the import leaves; only what the import
// changes is kept.
//
// On removal, the recorded state comes back:
// - a value the import set goes back to what it was (its old type and
//   data, or deleted when it did not exist), even when the user changed it
//   since; a value that is no longer there is left alone;
// - a value the import deleted is written again with its old type and data
//   (in a key the import deleted, which comes back first; in any other key
//   only while that key is there);
// - a key the import made is deleted when it is empty, deepest first; one
//   that holds what someone put there since is kept.
//
// The registry sits behind RegistryAccess, so all of it is tested on a
// registry in memory. The platform's instance reads and writes the view the
// registry editor writes to (on a 64-bit system, the 64-bit one).
#pragma once

#include <string>
#include <vector>

#include "registry/RegFileReader.h"
#include "registry/RegistryValue.h"

// What capture and restore ask of the registry. Keys are paths as
// CanonicalKeyPath writes them; errors are the platform's codes, 0 success.
class RegistryAccess {
public:
  virtual ~RegistryAccess() = default;
  virtual bool KeyExists(const std::string &key) = 0;
  // The names of the keys and of the values directly in `key`.
  virtual std::vector<std::string> SubKeys(const std::string &key) = 0;
  virtual std::vector<std::string> ValueNames(const std::string &key) = 0;
  virtual RegistryData ReadValue(const std::string &key, const std::string &name) = 0;
  virtual unsigned long SetValue(const std::string &key, const std::string &name,
                                 const RegistryData &data) = 0;
  virtual unsigned long DeleteValue(const std::string &key, const std::string &name) = 0;
  // Makes the key and its missing parents.
  virtual unsigned long CreateKey(const std::string &key) = 0;
  // Deletes a key that holds no keys and no values.
  virtual unsigned long DeleteKey(const std::string &key) = 0;
};

struct RegistryKeyChange {
  std::string key;
  bool created = false; // made by the import; otherwise deleted by it
};

struct RegistryValueChange {
  std::string key;
  std::string name;
  bool deleted = false; // deleted by the import; otherwise set by it
  RegistryData prior;   // before the import
};

struct RegistryPriorState {
  std::vector<RegistryKeyChange> keys;
  std::vector<RegistryValueChange> values;
};

struct RegistryCapture {
  RegistryPriorState state;
  std::string error; // "" or why the changes cannot be recorded
};

// The most keys and values one import may touch (a deleted key counts with
// everything beneath it): past it the capture refuses, as no record of
// that size is worth keeping.
constexpr size_t kMaxRecordedRegistryEntries = 20000;

// Reads the prior state of everything `changes` touch; the registry is not
// changed.
RegistryCapture CapturePriorState(RegistryAccess &registry, const std::vector<RegChange> &changes);

struct RegistryOutcome {
  enum class Kind {
    Restored,   // a value written back with its old type and data
    Deleted,    // a value the import made, deleted
    LeftAlone,  // a value no longer there
    KeyCreated, // a key the import deleted, made again
    KeyRemoved, // a key the import made, deleted
    KeyKept,    // a key the import made, kept: it is not empty
  };
  Kind kind;
  std::string key;
  std::string name;        // values only
  unsigned long error = 0; // when the registry refused it: the platform's code
};

// Puts back what `state` recorded; one outcome per key and value. The
// states of several installations into one folder go back newest first.
std::vector<RegistryOutcome> RestorePriorState(RegistryAccess &registry,
                                               const RegistryPriorState &state);

// The outcome as a line for the removal's log.
std::string RegistryOutcomeText(const RegistryOutcome &outcome);
