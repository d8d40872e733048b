// MemoryLineStore keeps the score lines in memory for the filter, the tests and
// the benchmarks. Line text sits in large shared blocks and the line order is a
// gap buffer of small handles, so a whole clip costs little more than its size
// and inserting where the last edit was is cheap, which is how the articulation
// copy edits as it walks forward.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "score/LargeMemory.h"
#include "score/LineStore.h"

namespace kadenzo {

class MemoryLineStore final : public LineStore {
 public:
  // An empty buffer: one empty physical line.
  MemoryLineStore();

  // The store for `buffer`, split at every CR LF. A lone CR or LF stays inside
  // its line.
  static MemoryLineStore FromBuffer(std::string_view buffer);

  // Keeps the `size` bytes at `text` for the life of the store and returns a
  // view of them. Lines given later that lie inside that view are kept by
  // reference instead of being copied, so a large input read in one piece
  // costs no second copy.
  std::string_view Adopt(LargeArray<char> text, std::size_t size);

  // Makes room for `lines` physical lines in all, so that adding up to that
  // many needs no further growth.
  void Reserve(std::size_t lines);

  // The whole buffer: the physical lines joined by CR LF.
  std::string Buffer() const;

  std::size_t Size() const override;
  std::string_view At(std::size_t index) const override;
  void Set(std::size_t index, std::string_view text) override;
  void InsertAt(std::size_t index, std::string_view text) override;

 private:
  struct Handle {
    const char* data;
    std::size_t size;
  };

  // Copies `text` into the arena and returns where it now lives.
  Handle Keep(std::string_view text);
  void MoveGapTo(std::size_t index);

  // Moves the lines into an array of `capacity` handles, the gap in between.
  void Regrow(std::size_t capacity);

  std::vector<LargeArray<char>> blocks_;
  std::vector<LargeArray<char>> adopted_;
  std::string_view lastAdopted_;
  char* free_ = nullptr;
  std::size_t freeLeft_ = 0;

  // [0, gapBegin_) and [gapEnd_, capacity_) hold the lines in order.
  LargeArray<Handle> handles_;
  std::size_t capacity_ = 0;
  std::size_t gapBegin_ = 0;
  std::size_t gapEnd_ = 0;
};

}  // namespace kadenzo
