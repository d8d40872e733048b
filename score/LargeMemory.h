// Memory for the large buffers that hold a whole score: the lines' text and
// their order. Touching fresh memory for the first time costs more than
// anything else these buffers do, so large ones ask the system to back them
// with huge pages, which it may or may not do.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <type_traits>

namespace kadenzo {

struct FreeMemory {
  void operator()(void* memory) const { std::free(memory); }
};

template <typename T>
using LargeArray = std::unique_ptr<T[], FreeMemory>;

// Room for `bytes` bytes, uninitialised. Throws std::bad_alloc when there is
// not enough memory.
void* AllocateLargeBytes(std::size_t bytes);

// Room for `count` objects of type T, uninitialised; T must be trivially
// copyable. Throws std::bad_alloc when there is not enough memory.
template <typename T>
LargeArray<T> AllocateLarge(std::size_t count) {
  static_assert(std::is_trivially_copyable_v<T>);
  if (count > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
  return LargeArray<T>(static_cast<T*>(AllocateLargeBytes(count * sizeof(T))));
}

}  // namespace kadenzo
