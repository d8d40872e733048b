#include "score/MemoryLineStore.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace kadenzo {

namespace {
// Text blocks start small, so that a short clip costs little, and grow to the
// size of a huge page.
constexpr std::size_t kFirstBlockSize = std::size_t{16} << 10;
constexpr std::size_t kBlockSize = std::size_t{2} << 20;
constexpr std::size_t kMinGap = 64;
}  // namespace

MemoryLineStore::MemoryLineStore()
    : handles_(AllocateLarge<Handle>(kMinGap)), capacity_(kMinGap), gapBegin_(1), gapEnd_(kMinGap) {
  handles_[0] = Handle{nullptr, 0};
}

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

std::size_t MemoryLineStore::Size() const { return capacity_ - (gapEnd_ - gapBegin_); }

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
    // Double the room so that a long run of inserts costs amortised constant
    // time each.
    Regrow(capacity_ * 2);
  }
  MoveGapTo(index);
  handles_[gapBegin_++] = kept;
}

std::string_view MemoryLineStore::Adopt(LargeArray<char> text, std::size_t size) {
  lastAdopted_ = std::string_view(text.get(), size);
  adopted_.push_back(std::move(text));
  return lastAdopted_;
}

void MemoryLineStore::Reserve(std::size_t lines) {
  if (lines > capacity_) Regrow(lines);
}

void MemoryLineStore::Regrow(std::size_t capacity) {
  auto grown = AllocateLarge<Handle>(capacity);
  std::copy(&handles_[0], &handles_[gapBegin_], &grown[0]);
  std::size_t tail = capacity_ - gapEnd_;
  std::copy(&handles_[gapEnd_], &handles_[0] + capacity_, &grown[capacity - tail]);
  handles_ = std::move(grown);
  gapEnd_ = capacity - tail;
  capacity_ = capacity;
}

MemoryLineStore::Handle MemoryLineStore::Keep(std::string_view text) {
  if (text.empty()) return Handle{nullptr, 0};
  std::less_equal<const char*> notAfter;
  if (notAfter(lastAdopted_.data(), text.data()) &&
      notAfter(text.data() + text.size(), lastAdopted_.data() + lastAdopted_.size())) {
    return Handle{text.data(), text.size()};
  }
  if (text.size() > freeLeft_) {
    // A line longer than a block gets a block of its own, so the current block
    // keeps serving the short lines that follow.
    if (text.size() > kBlockSize / 4) {
      blocks_.push_back(AllocateLarge<char>(text.size()));
      std::memcpy(blocks_.back().get(), text.data(), text.size());
      return Handle{blocks_.back().get(), text.size()};
    }
    std::size_t size = blocks_.size() < 7 ? kFirstBlockSize << blocks_.size() : kBlockSize;
    if (text.size() > size) size = kBlockSize;
    blocks_.push_back(AllocateLarge<char>(size));
    free_ = blocks_.back().get();
    freeLeft_ = size;
  }
  std::memcpy(free_, text.data(), text.size());
  Handle kept{free_, text.size()};
  free_ += text.size();
  freeLeft_ -= text.size();
  return kept;
}

void MemoryLineStore::MoveGapTo(std::size_t index) {
  Handle* h = handles_.get();
  if (index < gapBegin_) {
    std::size_t n = gapBegin_ - index;
    std::move_backward(h + index, h + gapBegin_, h + gapEnd_);
    gapBegin_ -= n;
    gapEnd_ -= n;
  } else if (index > gapBegin_) {
    std::size_t n = index - gapBegin_;
    std::move(h + gapEnd_, h + gapEnd_ + n, h + gapBegin_);
    gapBegin_ += n;
    gapEnd_ += n;
  }
}

}  // namespace kadenzo
