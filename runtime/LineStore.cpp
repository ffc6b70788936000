#include "runtime/LineStore.h"

void LineStore::Clear() {
  std::string().swap(text_);
  std::vector<size_t>().swap(starts_);
}

void LineStore::Reserve(size_t bytes) {
  text_.reserve(text_.size() + bytes);
}

void LineStore::Add(std::string_view line) {
  starts_.push_back(text_.size());
  text_.append(line.data(), line.size());
}

std::string_view LineStore::Line(size_t index) const {
  if (index >= starts_.size())
    return {};
  return std::string_view(text_).substr(starts_[index], End(index) - starts_[index]);
}
