#include "score/WholeInput.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "score/FileError.h"
#include "score/LargeMemory.h"

namespace kadenzo {

namespace {

// Maps the rest of regular file `fd`, `size` bytes from `offset`. Returns an
// empty input when the file cannot be mapped, so that it is read instead.
WholeInput Map(int fd, off_t offset, std::size_t size) {
  // Mappings start at a page boundary; the bytes before `offset` are skipped.
  auto page = static_cast<off_t>(sysconf(_SC_PAGESIZE));
  off_t start = offset / page * page;
  std::size_t length = size + static_cast<std::size_t>(offset - start);
  void* mapped = mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, start);
  if (mapped == MAP_FAILED) return {};
  const char* text = static_cast<const char*>(mapped) + (offset - start);
  std::shared_ptr<const void> owner(
      mapped, [length](const void* memory) { munmap(const_cast<void*>(memory), length); });
  // The descriptor's position moves past what was taken, as a read would.
  lseek(fd, static_cast<off_t>(size), SEEK_CUR);
  return {std::string_view(text, size), std::move(owner)};
}

// Reads `fd` to its end, in growing steps; `expected` is the size to expect
// first, 0 when unknown.
WholeInput Read(int fd, std::size_t expected) {
  std::size_t room = expected > 0 ? expected + 1 : std::size_t{1} << 20;
  auto bytes = AllocateLarge<char>(room);
  std::size_t size = 0;
  for (;;) {
    if (size == room) {
      room *= 2;
      auto grown = AllocateLarge<char>(room);
      std::memcpy(grown.get(), bytes.get(), size);
      bytes = std::move(grown);
    }
    ssize_t got = read(fd, bytes.get() + size, room - size);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw FileErrorFor(errno, "");
    }
    if (got == 0) break;
    size += static_cast<std::size_t>(got);
  }
  const char* text = bytes.get();
  return {std::string_view(text, size), std::shared_ptr<const void>(bytes.release(), FreeMemory{})};
}

}  // namespace

WholeInput ReadWholeInput(int fd) {
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    off_t at = lseek(fd, 0, SEEK_CUR);
    if (at >= 0 && info.st_size > at) {
      WholeInput mapped = Map(fd, at, static_cast<std::size_t>(info.st_size - at));
      if (mapped.owner) return mapped;
    }
    return Read(fd, info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0);
  }
  return Read(fd, 0);
}

}  // namespace kadenzo
