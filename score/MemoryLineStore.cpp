#include "score/MemoryLineStore.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <new>

namespace kadenzo {

namespace {
// Text blocks start small, so that a short clip costs little, and grow to the
// size of a huge page.
constexpr std::size_t kFirstBlockSize = std::size_t{16} << 10;
constexpr std::size_t kBlockSize = std::size_t{2} << 20;
constexpr std::size_t kMinGap = 64;
// Longer lines (lyrics, long text items) seldom repeat, and hashing them would
// cost more than it saves.
constexpr std::size_t kShareLimit = 256;
constexpr std::size_t kFirstSharedSize = 256;

// A quick hash of a short text, eight bytes at a time, the last eight
// overlapping the ones before: cheaper than the standard library's on lines
// of a few dozen bytes, and as well spread.
std::uint32_t HashOf(std::string_view text) {
  constexpr std::uint64_t kOdd = 0x9E3779B97F4A7C15;
  const char* at = text.data();
  std::size_t size = text.size();
  std::uint64_t hash = size * kOdd;
  std::uint64_t word = 0;
  if (size < 8) {
    std::memcpy(&word, at, size);
  } else {
    for (const char* last = at + size - 8; at < last; at += 8) {
      std::memcpy(&word, at, 8);
      hash = (hash ^ word) * kOdd;
      hash ^= hash >> 29;
    }
    std::memcpy(&word, text.data() + size - 8, 8);
  }
  hash = (hash ^ word) * kOdd;
  return static_cast<std::uint32_t>(hash >> 32);
}
}  // namespace

MemoryLineStore::MemoryLineStore()
    : handles_(AllocateLarge<Handle>(kMinGap)), capacity_(kMinGap), gapBegin_(1), gapEnd_(kMinGap) {
  handles_[0] = Handle();
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
  return handles_[index < gapBegin_ ? index : index + (gapEnd_ - gapBegin_)].Text();
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
  if (index != gapBegin_) MoveGapTo(index);
  handles_[gapBegin_++] = kept;
}

void MemoryLineStore::Adopt(std::string_view text, std::shared_ptr<const void> owner) {
  lastAdopted_ = text;
  adopted_.push_back(std::move(owner));
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

MemoryLineStore::Handle::Handle(const char* data, std::size_t size) {
  auto address = reinterpret_cast<std::uintptr_t>(data);
  if (address >> 48 != 0) throw std::bad_alloc();
  bits_ = static_cast<std::uint64_t>(address) << 16 | size;
}

std::string_view MemoryLineStore::Handle::Text() const {
  const auto* data = reinterpret_cast<const char*>(static_cast<std::uintptr_t>(bits_ >> 16));
  std::size_t size = bits_ & kLongSize;
  if (size == kLongSize) {
    std::uint64_t longSize;
    std::memcpy(&longSize, data - sizeof longSize, sizeof longSize);
    size = static_cast<std::size_t>(longSize);
  }
  return {data, size};
}

MemoryLineStore::Handle MemoryLineStore::Keep(std::string_view text) {
  if (text.empty()) return Handle();
  std::less_equal<const char*> notAfter;
  if (text.size() < Handle::kLongSize && notAfter(lastAdopted_.data(), text.data()) &&
      notAfter(text.data() + text.size(), lastAdopted_.data() + lastAdopted_.size())) {
    return Handle(text.data(), text.size());
  }
  return Share(text);
}

MemoryLineStore::Handle MemoryLineStore::Share(std::string_view text) {
  if (text.size() > kShareLimit) return Copy(text);
  if (2 * (sharedCount_ + 1) > shared_.size()) GrowShared();
  std::uint32_t hash = HashOf(text);
  std::size_t mask = shared_.size() - 1;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    Shared& entry = shared_[slot];
    if (entry.size == 0) {
      Handle kept = Copy(text);
      entry = Shared{kept, static_cast<std::uint32_t>(text.size()), hash};
      ++sharedCount_;
      return kept;
    }
    if (entry.hash == hash && entry.size == text.size() && entry.kept.Text() == text) {
      return entry.kept;
    }
  }
}

void MemoryLineStore::GrowShared() {
  std::vector<Shared> grown(shared_.empty() ? kFirstSharedSize : shared_.size() * 2);
  std::size_t mask = grown.size() - 1;
  for (const Shared& entry : shared_) {
    if (entry.size == 0) continue;
    std::size_t slot = entry.hash & mask;
    while (grown[slot].size != 0) slot = (slot + 1) & mask;
    grown[slot] = entry;
  }
  shared_ = std::move(grown);
}

MemoryLineStore::Handle MemoryLineStore::Copy(std::string_view text) {
  if (text.size() >= Handle::kLongSize) {
    // A long line gets a block of its own, its length in front, so the
    // current block keeps serving the short lines that follow.
    std::uint64_t size = text.size();
    blocks_.push_back(AllocateLarge<char>(sizeof size + text.size()));
    char* block = blocks_.back().get();
    std::memcpy(block, &size, sizeof size);
    std::memcpy(block + sizeof size, text.data(), text.size());
    return Handle(block + sizeof size, Handle::kLongSize);
  }
  if (text.size() > freeLeft_) {
    std::size_t size = blocks_.size() < 7 ? kFirstBlockSize << blocks_.size() : kBlockSize;
    if (text.size() > size) size = kBlockSize;
    blocks_.push_back(AllocateLarge<char>(size));
    free_ = blocks_.back().get();
    freeLeft_ = size;
  }
  std::memcpy(free_, text.data(), text.size());
  Handle kept(free_, text.size());
  free_ += text.size();
  freeLeft_ -= text.size();
  return kept;
}

void MemoryLineStore::MoveGapTo(std::size_t index) {
  Handle* h = handles_.get();
  if (index < gapBegin_) {
    std::size_t n = gapBegin_ - index;
    std::size_t tail = capacity_ - gapEnd_;
    std::size_t wanted = std::max(kMinGap, Size() / 2);
    if (n > wanted && n > tail && gapEnd_ - gapBegin_ > wanted) {
      // Many lines are about to cross a gap far larger than any run of
      // inserts needs. The lines after the gap come forward first, so that
      // the crossing lines land next to memory already in use: room never
      // touched costs nothing, while touching it for the first time is the
      // dearest thing a large score does. The room given up at the end is
      // left unused.
      std::size_t end = gapBegin_ + wanted;
      std::move(h + gapEnd_, h + capacity_, h + end);
      gapEnd_ = end;
      capacity_ = end + tail;
    }
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
