// MemoryLineStore keeps the score lines in memory for the filter, the tests and
// the benchmarks. Line text sits in large shared blocks and the line order is a
// gap buffer of small handles, so a whole clip costs little more than its size
// and inserting where the last edit was is cheap, which is how the articulation
// copy edits as it walks forward. A score repeats its lines a great deal (bar
// lines, the same note, the template lines the copy writes again and again),
// so a short line given a second time shares the text kept the first time.
#pragma once

#include <cstddef>
#include <cstdint>
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

  // Holds on to `owner`, which keeps `text` alive, for the life of the store.
  // Lines given later that lie inside `text` are kept by reference instead of
  // being copied, so a large input read in one piece costs no second copy.
  void Adopt(std::string_view text, std::shared_ptr<const void> owner);

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
  // Where a line's text is, in eight bytes, since a large score has millions
  // of them and touching fresh memory is dear. The address takes the upper
  // 48 bits, which hold any address a process is given on the systems this
  // runs on, and the length the lower 16. A text of kLongSize bytes or more
  // is kept with its length in the eight bytes before it.
  class Handle {
   public:
    static constexpr std::size_t kLongSize = 0xFFFF;

    Handle() = default;
    // `size` below kLongSize, or kLongSize for a text whose length is in
    // front of it. Throws std::bad_alloc for an address above 48 bits.
    Handle(const char* data, std::size_t size);

    std::string_view Text() const;

   private:
    std::uint64_t bits_ = 0;
  };

  // A kept short text, its length and its hash; an empty slot has length 0.
  struct Shared {
    Handle kept;
    std::uint32_t size = 0;
    std::uint32_t hash = 0;
  };

  // Where `text` lives in the store: inside the adopted text, among the
  // shared texts, or else a new copy in the arena.
  Handle Keep(std::string_view text);
  // Keep for a text from elsewhere: the shared text if there is one. Kept out
  // of line, so that the common case of an adopted line stays short.
  [[gnu::noinline]] Handle Share(std::string_view text);
  // Copies `text` into the arena.
  Handle Copy(std::string_view text);
  void GrowShared();
  void MoveGapTo(std::size_t index);

  // Moves the lines into an array of `capacity` handles, the gap in between.
  void Regrow(std::size_t capacity);

  std::vector<LargeArray<char>> blocks_;
  std::vector<std::shared_ptr<const void>> adopted_;
  std::string_view lastAdopted_;
  char* free_ = nullptr;
  std::size_t freeLeft_ = 0;

  // Open addressing over the short texts kept so far; its size is a power of
  // two and it is at most half full.
  std::vector<Shared> shared_;
  std::size_t sharedCount_ = 0;

  // [0, gapBegin_) and [gapEnd_, capacity_) hold the lines in order.
  LargeArray<Handle> handles_;
  std::size_t capacity_ = 0;
  std::size_t gapBegin_ = 0;
  std::size_t gapEnd_ = 0;
};

}  // namespace kadenzo
