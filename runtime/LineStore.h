// The lines of a text, kept in one block with an index of line starts:
// adding is amortised constant time per byte and a 10 MB text costs little
// more than its own size. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class LineStore {
public:
  // Empties the store and gives its memory back.
  void Clear();
  // Room for about `bytes` of text, so a known-size fill does not reallocate.
  void Reserve(size_t bytes);
  void Add(std::string_view line);

  size_t Count() const { return starts_.size(); }
  std::string_view Line(size_t index) const;
  size_t Length(size_t index) const { return End(index) - starts_[index]; }
  size_t Bytes() const { return text_.size(); }

private:
  size_t End(size_t index) const {
    return index + 1 < starts_.size() ? starts_[index + 1] : text_.size();
  }

  std::string text_;
  std::vector<size_t> starts_;
};
