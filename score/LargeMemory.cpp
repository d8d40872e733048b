#include "score/LargeMemory.h"

#include <sys/mman.h>

namespace kadenzo {

namespace {
constexpr std::size_t kHugePage = std::size_t{2} << 20;
}

void* AllocateLargeBytes(std::size_t bytes) {
  void* memory = nullptr;
  if (bytes >= kHugePage) {
    std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    memory = std::aligned_alloc(kHugePage, rounded);
    // Only advice: where the system has no huge pages to give, nothing changes.
    if (memory != nullptr) madvise(memory, rounded, MADV_HUGEPAGE);
  } else {
    memory = std::malloc(bytes == 0 ? 1 : bytes);
  }
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

}  // namespace kadenzo
