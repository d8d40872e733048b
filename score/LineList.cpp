#include "score/LineList.h"

namespace kadenzo {

namespace {

bool Exists(const LineStore& store, LineList::Index index) {
  return index >= 0 && static_cast<std::size_t>(index) < store.Size();
}

}  // namespace

std::string LineList::Get(Index index) const { return std::string(View(index)); }

void LineList::Put(Index index, std::string_view text) {
  if (!Exists(store_, index)) return;
  auto at = static_cast<std::size_t>(index);
  std::size_t brk = text.find("\r\n");
  store_.Set(at, text.substr(0, brk));
  if (brk != std::string_view::npos) InsertLines(at + 1, text.substr(brk + 2));
}

void LineList::Insert(Index index, std::string_view text) {
  if (index < 0) return;
  // Either the text goes in front of an existing line with a line break after
  // it, or a line break and the text go at the end of a non-empty last line.
  // In the store both come to a new physical line at `index`.
  if (Exists(store_, index) ||
      (Exists(store_, index - 1) && !store_.At(static_cast<std::size_t>(index - 1)).empty())) {
    InsertLines(static_cast<std::size_t>(index), text);
  }
}

void LineList::Add(std::string_view text) { Insert(Count(), text); }

void LineList::AddLine(std::string_view line) {
  // Insert(Count(), line) with the store asked once: loading a file adds
  // every line this way.
  std::size_t size = store_.Size();
  if (size == 0) return;
  store_.InsertAt(store_.At(size - 1).empty() ? size - 1 : size, line);
}

void LineList::InsertLines(std::size_t at, std::string_view text) {
  std::size_t start = 0;
  for (std::size_t brk = text.find("\r\n"); brk != std::string_view::npos;
       brk = text.find("\r\n", start)) {
    store_.InsertAt(at++, text.substr(start, brk - start));
    start = brk + 2;
  }
  store_.InsertAt(at, text.substr(start));
}

}  // namespace kadenzo
