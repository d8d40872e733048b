#include "score/MemoryLineStore.h"

#include <algorithm>
#include <cstring>

namespace kadenzo {

namespace {
constexpr std::size_t kBlockSize = std::size_t{1} << 20;
constexpr std::size_t kMinGap = 64;
}  // namespace

MemoryLineStore::MemoryLineStore() : handles_(1, Handle{nullptr, 0}), gapBegin_(1), gapEnd_(1) {}

MemoryLineStore MemoryLineStore::FromBuffer(std::string_view buffer) {
  MemoryLineStore store;
  std::size_t start = 0;
  std::size_t line = 0;
  for (std::size_t at = buffer.find("\r\n"); at != std::string_view::npos;
       at = buffer.find("\r\n", start)) {
    store.Set(line, buffer.substr(start, at - start));
    store.InsertAt(++line, "");
    start = at + 2;
  }
  store.Set(line, buffer.substr(start));
  return store;
}

std::string MemoryLineStore::Buffer() const {
  std::string buffer;
  for (std::size_t i = 0; i < Size(); ++i) {
    if (i > 0) buffer += "\r\n";
    buffer += At(i);
  }
  return buffer;
}

std::size_t MemoryLineStore::Size() const { return handles_.size() - (gapEnd_ - gapBegin_); }

std::string_view MemoryLineStore::At(std::size_t index) const {
  const Handle& h = handles_[index < gapBegin_ ? index : index + (gapEnd_ - gapBegin_)];
  return {h.data, h.size};
}

void MemoryLineStore::Set(std::size_t index, std::string_view text) {
  handles_[index < gapBegin_ ? index : index + (gapEnd_ - gapBegin_)] = Keep(text);
}

void MemoryLineStore::InsertAt(std::size_t index, std::string_view text) {
  Handle kept = Keep(text);
  if (gapBegin_ == gapEnd_) {
    // Grow the gap in proportion to the store so that a long run of inserts
    // costs amortised constant time each.
    std::size_t grow = std::max(kMinGap, handles_.size());
    handles_.insert(handles_.begin() + static_cast<std::ptrdiff_t>(gapBegin_), grow,
                    Handle{nullptr, 0});
    gapEnd_ = gapBegin_ + grow;
  }
  MoveGapTo(index);
  handles_[gapBegin_++] = kept;
}

MemoryLineStore::Handle MemoryLineStore::Keep(std::string_view text) {
  if (text.empty()) return Handle{nullptr, 0};
  if (text.size() > freeLeft_) {
    // A line longer than a block gets a block of its own, so the current block
    // keeps serving the short lines that follow.
    if (text.size() > kBlockSize / 4) {
      blocks_.push_back(std::make_unique_for_overwrite<char[]>(text.size()));
      std::memcpy(blocks_.back().get(), text.data(), text.size());
      return Handle{blocks_.back().get(), text.size()};
    }
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
    free_ = blocks_.back().get();
    freeLeft_ = kBlockSize;
  }
  std::memcpy(free_, text.data(), text.size());
  Handle kept{free_, text.size()};
  free_ += text.size();
  freeLeft_ -= text.size();
  return kept;
}

void MemoryLineStore::MoveGapTo(std::size_t index) {
  auto begin = handles_.begin();
  auto at = [&](std::size_t i) { return begin + static_cast<std::ptrdiff_t>(i); };
  if (index < gapBegin_) {
    std::size_t n = gapBegin_ - index;
    std::move_backward(at(index), at(gapBegin_), at(gapEnd_));
    gapBegin_ -= n;
    gapEnd_ -= n;
  } else if (index > gapBegin_) {
    std::size_t n = index - gapBegin_;
    std::move(at(gapEnd_), at(gapEnd_ + n), at(gapBegin_));
    gapBegin_ += n;
    gapEnd_ += n;
  }
}

}  // namespace kadenzo
