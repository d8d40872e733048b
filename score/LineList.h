// LineList is the one way the program reads and changes the score text. It is
// a view on a LineStore (the text buffer), not a copy: whatever the store
// holds is what the list reads, so the window's edit area, the file exchange
// and the articulation copy all see each other's changes at once.
//
// The buffer is the store's physical lines joined by CR LF. The rules below
// are what the articulation copy relies on to find the end of the text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "score/LineStore.h"

namespace kadenzo {

class LineList {
 public:
  // Line numbers start at 0. Negative numbers are accepted and name no line.
  using Index = std::ptrdiff_t;

  // `store` must outlive the list.
  explicit LineList(LineStore& store) : store_(store) {}

  // Number of physical lines, leaving out a final empty line: an empty buffer
  // gives 0, "A" gives 1, "A\r\n" gives 1, "A\r\n\r\n" gives 2.
  Index Count() const;

  // The whole text of line `index` without its line break; the empty string
  // for any index that names no line. Long lines are never cut.
  std::string Get(Index index) const;

  // The same text as Get(index), without copying it. The view stays valid
  // only until the next call on this list, so it must not be handed back to
  // Put or Insert; copy it first.
  std::string_view View(Index index) const;

  // Replaces the text of line `index`; does nothing if there is no such line.
  // A CR LF inside `text` becomes a line break, as it would in the buffer.
  void Put(Index index, std::string_view text);

  // If line `index` exists, `text` becomes line `index` and the lines from
  // there on move down by one. Otherwise, if line `index` - 1 exists and is not
  // empty, `text` is added after it. Otherwise (including any negative index)
  // nothing happens.
  void Insert(Index index, std::string_view text);

  // Insert(Count(), text). Adding to an empty list, or to a list built by Add,
  // leaves every line followed by CR LF in the buffer.
  void Add(std::string_view text);

  // Add for a text that holds no CR LF, such as a line a reader has split
  // off: the same result, without searching the text for a line break.
  // Given a CR LF anyway, the physical line keeps it inside.
  void AddLine(std::string_view line);

 private:
  // Inserts the physical lines of `text` before physical line `at`.
  void InsertLines(std::size_t at, std::string_view text);

  LineStore& store_;
};

// Count and View are read for every line the copy walks and the file writes,
// so they are kept where the compiler can build them into their callers.
inline LineList::Index LineList::Count() const {
  std::size_t size = store_.Size();
  if (size > 0 && store_.At(size - 1).empty()) --size;
  return static_cast<Index>(size);
}

inline std::string_view LineList::View(Index index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= store_.Size()) return {};
  return store_.At(static_cast<std::size_t>(index));
}

}  // namespace kadenzo
