// LineStore is where the score text actually lives: an ordered run of
// physical lines, as the text buffer would be if it were split at every
// CR LF. It has no rules of its own; LineList puts the score rules on top, so
// the in-memory store and the window's edit area behave exactly alike.
#pragma once

#include <cstddef>
#include <string_view>

namespace kadenzo {

class LineStore {
 public:
  virtual ~LineStore() = default;

  // Number of physical lines. Never 0: an empty buffer is one empty line, and
  // a buffer ending in CR LF has an empty last line.
  virtual std::size_t Size() const = 0;

  // Text of physical line `index` (< Size()), without its line break. The view
  // stays valid until the next call that changes the store.
  virtual std::string_view At(std::size_t index) const = 0;

  // Replaces the text of physical line `index` (< Size()). `text` holds no CR LF.
  virtual void Set(std::size_t index, std::string_view text) = 0;

  // Inserts a new physical line before line `index` (<= Size(); Size() appends
  // after the last line). `text` holds no CR LF.
  virtual void InsertAt(std::size_t index, std::string_view text) = 0;
};

}  // namespace kadenzo
