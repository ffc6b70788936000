// A registry file imported over a registry in memory, the user's changes
// after it, then the removal: the registry is as before the import, but for
// what the user did that removal must leave alone.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "registry/RegistryPriorState.h"

namespace {
const AnsiDecoder kAnsi = [](const std::string &text) { return text; };

// Keys and names folded to upper case, as the registry compares them.
class MemoryRegistry : public RegistryAccess {
public:
  using Values = std::map<std::string, RegistryData>;
  std::map<std::string, Values> keys{{"HKEY_CURRENT_USER", {}}};

  Values *Find(const std::string &key) {
    auto found = keys.find(RegistryNameKey(key));
    return found == keys.end() ? nullptr : &found->second;
  }
  bool KeyExists(const std::string &key) override { return Find(key); }
  std::vector<std::string> SubKeys(const std::string &key) override {
    std::vector<std::string> names;
    const std::string prefix = RegistryNameKey(key) + "\\";
    for (const auto &[path, values] : keys)
      if (path.rfind(prefix, 0) == 0 && path.find('\\', prefix.size()) == std::string::npos)
        names.push_back(path.substr(prefix.size()));
    return names;
  }
  std::vector<std::string> ValueNames(const std::string &key) override {
    std::vector<std::string> names;
    for (const auto &[name, data] : *Find(key))
      names.push_back(name);
    return names;
  }
  RegistryData ReadValue(const std::string &key, const std::string &name) override {
    Values *values = Find(key);
    return values && values->count(RegistryNameKey(name)) ? values->at(RegistryNameKey(name))
                                                          : RegistryData{};
  }
  unsigned long SetValue(const std::string &key, const std::string &name,
                         const RegistryData &data) override {
    return Find(key) ? ((*Find(key))[RegistryNameKey(name)] = data, 0) : 2;
  }
  unsigned long DeleteValue(const std::string &key, const std::string &name) override {
    return Find(key) && Find(key)->erase(RegistryNameKey(name)) ? 0 : 2;
  }
  unsigned long CreateKey(const std::string &key) override {
    for (size_t at = key.find('\\'); at != std::string::npos; at = key.find('\\', at + 1))
      keys[RegistryNameKey(key.substr(0, at))];
    keys[RegistryNameKey(key)];
    return 0;
  }
  unsigned long DeleteKey(const std::string &key) override {
    const bool empty = SubKeys(key).empty() && ValueNames(key).empty();
    return empty && keys.erase(RegistryNameKey(key)) ? 0 : 5;
  }

  // What the registry editor does with a file.
  void Import(const std::string &file) {
    for (const RegChange &change : ReadRegFile(file, kAnsi).changes) {
      if (change.kind == RegChange::Kind::SetKey)
        CreateKey(change.key);
      else if (change.kind == RegChange::Kind::SetValue)
        SetValue(change.key, change.name, {true, change.type, change.data});
      else if (change.kind == RegChange::Kind::DeleteValue)
        DeleteValue(change.key, change.name);
      else
        for (auto it = keys.begin(); it != keys.end();)
          it = it->first == RegistryNameKey(change.key) ||
                       it->first.rfind(RegistryNameKey(change.key) + "\\", 0) == 0
                   ? keys.erase(it)
                   : std::next(it);
    }
  }
  // Captures, then imports, as the installation does.
  RegistryPriorState Install(const std::string &file) {
    RegistryCapture capture = CapturePriorState(*this, ReadRegFile(file, kAnsi).changes);
    EXPECT_EQ(capture.error, "");
    Import(file);
    return capture.state;
  }
};

const char kBefore[] =
    "REGEDIT4\n[HKCU\\Software\\Demo]\n\"Old\"=dword:1\n\"Gone\"=\"g\"\n"
    "[HKCU\\Software\\Other\\Sub]\n@=\"x\"\n\"Y\"=hex:01\n[HKCU\\Software\\Empty]\n";
// A value of another type, a new value, a new key tree, a deleted value, a
// deleted tree, a value set then deleted, a key deleted then set again, an
// empty key that was there.
const char kRelease[] = "REGEDIT4\n[hkey_current_user\\software\\demo]\n\"old\"=\"new text\"\n"
                        "\"New\"=dword:2\n\"Gone\"=-\n[HKCU\\Software\\Demo\\A\\B]\n@=\"b\"\n"
                        "\"T\"=\"1\"\n\"T\"=-\n[-HKCU\\Software\\Other]\n[HKCU\\Software\\Other]\n"
                        "\"Z\"=\"z\"\n[HKCU\\Software\\Empty]\n";
// Installed again: overwrites what the first installation set.
const char kAgain[] = "REGEDIT4\n[HKCU\\Software\\Demo]\n\"Old\"=\"newer\"\n\"New\"=-\n"
                      "[HKCU\\Software\\Demo\\A\\C]\n";

TEST(RegistryPriorState, RemovalPutsBackWhatTheImportChanged) {
  struct Row {
    const char *what;
    const char *again;   // a second installation, or null
    const char *user;    // what the user does after installing
    const char *changed; // what stays of it after the removal
  };
  const Row rows[] = {
      {"installed again", kAgain, "", ""},
      {"the user changed values and filled a key since", nullptr,
       "REGEDIT4\n[HKCU\\Software\\Demo]\n\"Old\"=dword:7\n\"New\"=\"n\"\n\"Gone\"=\"u\"\n"
       "[HKCU\\Software\\Demo\\A\\B\\Mine]\n",
       "REGEDIT4\n[HKCU\\Software\\Demo\\A\\B\\Mine]\n"},
      {"a value no longer there is left alone", nullptr,
       "REGEDIT4\n[HKCU\\Software\\Demo]\n\"Old\"=-\n\"New\"=-\n",
       "REGEDIT4\n[HKCU\\Software\\Demo]\n\"Old\"=-\n"},
  };
  for (const Row &row : rows) {
    MemoryRegistry registry, expected;
    registry.Import(kBefore);
    expected.Import(kBefore);
    expected.Import(row.changed);
    const RegistryPriorState first = registry.Install(kRelease);
    const RegistryPriorState second = registry.Install(row.again ? row.again : "REGEDIT4\n");
    registry.Import(row.user);
    for (const RegistryPriorState *state : {&second, &first})
      for (const RegistryOutcome &outcome : RestorePriorState(registry, *state))
        EXPECT_EQ(outcome.error, 0u) << row.what << ": " << RegistryOutcomeText(outcome);
    EXPECT_EQ(registry.keys, expected.keys) << row.what;
  }
}
} // namespace
