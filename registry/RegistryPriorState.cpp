#include "registry/RegistryPriorState.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {
struct Refusal {};

// The import followed change by change over what the registry held: each
// key and value it touches, as it was and whether it is there afterwards.
class ImportTrace {
public:
  explicit ImportTrace(RegistryAccess &registry) : registry_(registry) {}

  void Follow(const RegChange &change) {
    using Kind = RegChange::Kind;
    switch (change.kind) {
    case Kind::SetKey:
      for (size_t slash = change.key.find('\\'); slash != std::string::npos;
           slash = change.key.find('\\', slash + 1)) {
        const size_t end = change.key.find('\\', slash + 1);
        Key(change.key.substr(0, end)).after = true;
      }
      break;
    case Kind::SetValue:
    case Kind::DeleteValue:
      Value(change.key, change.name).after = change.kind == Kind::SetValue;
      break;
    case Kind::DeleteKey:
      DeleteTree(change.key);
      break;
    }
  }

  RegistryPriorState State() const {
    RegistryPriorState state;
    for (const std::string &id : keyOrder_) {
      const KeyTrace &key = keys_.at(id);
      if (key.before != key.after)
        state.keys.push_back({key.path, key.after});
    }
    for (const auto &id : valueOrder_) {
      const ValueTrace &value = values_.at(id);
      if (value.after || value.prior.exists)
        state.values.push_back({value.key, value.name, !value.after, value.prior});
    }
    return state;
  }

private:
  struct KeyTrace {
    std::string path;
    bool before, after;
  };
  struct ValueTrace {
    std::string key, name;
    RegistryData prior;
    bool after;
  };
  using ValueId = std::pair<std::string, std::string>;

  void Count() {
    if (++entries_ > kMaxRecordedRegistryEntries)
      throw Refusal{};
  }

  KeyTrace &Key(const std::string &path) {
    const std::string id = RegistryNameKey(path);
    auto found = keys_.find(id);
    if (found != keys_.end())
      return found->second;
    Count();
    const bool exists = registry_.KeyExists(path);
    keyOrder_.push_back(id);
    return keys_.emplace(id, KeyTrace{path, exists, exists}).first->second;
  }

  ValueTrace &Value(const std::string &key, const std::string &name) {
    const ValueId id{RegistryNameKey(key), RegistryNameKey(name)};
    auto found = values_.find(id);
    if (found != values_.end())
      return found->second;
    Count();
    RegistryData prior = registry_.ReadValue(key, name);
    valueOrder_.push_back(id);
    return values_.emplace(id, ValueTrace{key, name, prior, prior.exists}).first->second;
  }

  // The key and all beneath it, as the registry holds them and as earlier
  // changes of the file made them, are gone after this change.
  void DeleteTree(const std::string &root) {
    std::vector<std::string> pending{root};
    while (!pending.empty()) {
      const std::string key = pending.back();
      pending.pop_back();
      if (!Key(key).before)
        continue;
      for (const std::string &name : registry_.ValueNames(key))
        Value(key, name);
      for (const std::string &sub : registry_.SubKeys(key))
        pending.push_back(key + "\\" + sub);
    }
    const std::string id = RegistryNameKey(root);
    auto beneath = [&id](const std::string &other) {
      return other == id || other.compare(0, id.size() + 1, id + "\\") == 0;
    };
    for (auto &[other, key] : keys_)
      if (beneath(other))
        key.after = false;
    for (auto &[other, value] : values_)
      if (beneath(other.first))
        value.after = false;
  }

  RegistryAccess &registry_;
  std::map<std::string, KeyTrace> keys_;
  std::vector<std::string> keyOrder_;
  std::map<ValueId, ValueTrace> values_;
  std::vector<ValueId> valueOrder_;
  size_t entries_ = 0;
};
} // namespace

RegistryCapture CapturePriorState(RegistryAccess &registry, const std::vector<RegChange> &changes) {
  ImportTrace trace(registry);
  try {
    for (const RegChange &change : changes)
      trace.Follow(change);
  } catch (const Refusal &) {
    return {{},
            "The registry file deletes more than " + std::to_string(kMaxRecordedRegistryEntries) +
                " keys and values: too many to record."};
  }
  return {trace.State(), ""};
}

std::vector<RegistryOutcome> RestorePriorState(RegistryAccess &registry,
                                               const RegistryPriorState &state) {
  using Kind = RegistryOutcome::Kind;
  std::vector<RegistryOutcome> outcomes;
  std::vector<RegistryKeyChange> keys = state.keys;
  std::stable_sort(keys.begin(), keys.end(),
                   [](const auto &a, const auto &b) { return KeyDepth(a.key) < KeyDepth(b.key); });
  for (const RegistryKeyChange &key : keys)
    if (!key.created && !registry.KeyExists(key.key))
      outcomes.push_back({Kind::KeyCreated, key.key, "", registry.CreateKey(key.key)});

  for (const RegistryValueChange &value : state.values) {
    const bool there = value.deleted ? registry.KeyExists(value.key)
                                     : registry.ReadValue(value.key, value.name).exists;
    if (!there)
      outcomes.push_back({Kind::LeftAlone, value.key, value.name, 0});
    else if (value.prior.exists)
      outcomes.push_back({Kind::Restored, value.key, value.name,
                          registry.SetValue(value.key, value.name, value.prior)});
    else
      outcomes.push_back(
          {Kind::Deleted, value.key, value.name, registry.DeleteValue(value.key, value.name)});
  }

  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    if (!key->created || !registry.KeyExists(key->key))
      continue;
    if (registry.SubKeys(key->key).empty() && registry.ValueNames(key->key).empty())
      outcomes.push_back({Kind::KeyRemoved, key->key, "", registry.DeleteKey(key->key)});
    else
      outcomes.push_back({Kind::KeyKept, key->key, "", 0});
  }
  return outcomes;
}

std::string RegistryOutcomeText(const RegistryOutcome &outcome) {
  using Kind = RegistryOutcome::Kind;
  const std::string value =
      outcome.key + (outcome.name.empty() ? " (default value)" : " \"" + outcome.name + "\"");
  std::string text;
  switch (outcome.kind) {
  case Kind::Restored:
    text = "Put back " + value;
    break;
  case Kind::Deleted:
    text = "Deleted " + value;
    break;
  case Kind::LeftAlone:
    text = "Left alone " + value + ": no longer there";
    break;
  case Kind::KeyCreated:
    text = "Made again " + outcome.key;
    break;
  case Kind::KeyRemoved:
    text = "Deleted " + outcome.key;
    break;
  case Kind::KeyKept:
    text = "Kept " + outcome.key + ": not empty";
    break;
  }
  if (outcome.error)
    text = "Could not do: " + text + " (error " + std::to_string(outcome.error) + ")";
  return text;
}
