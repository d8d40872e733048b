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

#include "score/LineStore.h"

namespace kadenzo {

class MemoryLineStore final : public LineStore {
 public:
  // An empty buffer: one empty physical line.
  MemoryLineStore();

  // The store for `buffer`, split at every CR LF. A lone CR or LF stays inside
  // its line.
  static MemoryLineStore FromBuffer(std::string_view buffer);

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

  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;
  std::size_t freeLeft_ = 0;

  std::vector<Handle> handles_;  // [0, gapBegin_) and [gapEnd_, size) hold lines
  std::size_t gapBegin_ = 0;
  std::size_t gapEnd_ = 0;
};

}  // namespace kadenzo
