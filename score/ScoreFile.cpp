#include "score/ScoreFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

#include "score/FileError.h"
#include "score/LineReader.h"

namespace kadenzo {

namespace {

// The size of one read or write: large enough that the system calls cost
// little, small enough that the buffer stays in the processor's cache.
constexpr std::size_t kChunk = std::size_t{256} << 10;

// Closes a descriptor when it goes out of scope, so that a failure midway
// never leaves a file open.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int Get() const { return fd_; }
  // Closes now and reports the result, for the writes whose close can fail.
  int Close() {
    int result = close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
  while (!bytes.empty()) {
    ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      throw FileErrorFor(errno, path);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

// The file that writing to `path` really changes: a symbolic link is followed
// to its final target so that the link itself survives.
std::string ResolveLinks(const std::string& path) {
  std::string target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
    std::vector<char> buffer(PATH_MAX + 1);
    ssize_t size = readlink(target.c_str(), buffer.data(), PATH_MAX);
    if (size < 0) return target;
    std::string link(buffer.data(), static_cast<std::size_t>(size));
    if (!link.empty() && link[0] == '/') {
      target = link;
    } else {
      std::size_t slash = target.find_last_of('/');
      target = (slash == std::string::npos ? "" : target.substr(0, slash + 1)) + link;
    }
  }
  throw FileErrorFor(ELOOP, path);
}

mode_t NewFileMode() {
  mode_t mask = umask(0);
  umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

void WriteInPlace(const std::string& path, const LineList& lines) {
  Descriptor file(open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
  if (file.Get() < 0) throw FileErrorFor(errno, path);
  WriteLines(file.Get(), lines, "\r\n", path);
  if (file.Close() != 0) throw FileErrorFor(errno, path);
}

}  // namespace

void LoadInput(const std::string& inputPath, LineList& lines) {
  Descriptor file(open(inputPath.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) throw FileErrorFor(errno, inputPath);
  struct stat info {};
  if (fstat(file.Get(), &info) != 0) throw FileErrorFor(errno, inputPath);
  if (S_ISDIR(info.st_mode)) throw FileErrorFor(EISDIR, inputPath);

  LineReader reader(lines);
  auto chunk = std::make_unique_for_overwrite<char[]>(kChunk);
  for (;;) {
    ssize_t got = read(file.Get(), chunk.get(), kChunk);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw FileErrorFor(errno, inputPath);
    }
    if (got == 0) break;
    if (!reader.Feed({chunk.get(), static_cast<std::size_t>(got)})) break;
  }
  reader.Finish();
}

void WriteLines(int fd, const LineList& lines, std::string_view lineEnd, const std::string& path) {
  // The lines are gathered into one buffer and written a large piece at a
  // time; a line too long for the buffer is written from where it lies.
  auto buffer = std::make_unique_for_overwrite<char[]>(kChunk);
  std::size_t used = 0;
  LineList::Index count = lines.Count();
  for (LineList::Index i = 0; i < count; ++i) {
    std::string_view line = lines.View(i);
    if (line.size() + lineEnd.size() > kChunk - used) {
      WriteAll(fd, {buffer.get(), used}, path);
      used = 0;
      if (line.size() + lineEnd.size() > kChunk) {
        WriteAll(fd, line, path);
        WriteAll(fd, lineEnd, path);
        continue;
      }
    }
    std::copy(line.begin(), line.end(), buffer.get() + used);
    used += line.size();
    for (char c : lineEnd) buffer[used++] = c;
  }
  WriteAll(fd, {buffer.get(), used}, path);
}

void WriteOutput(const std::string& outputPath, const LineList& lines) {
  std::string target = ResolveLinks(outputPath);
  struct stat existing {};
  bool exists = stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) {
    // Devices and pipes cannot be replaced by renaming; they get the lines
    // directly. A folder fails here with "File access denied".
    WriteInPlace(target, lines);
    return;
  }

  std::size_t slash = target.find_last_of('/');
  std::string temp =
      (slash == std::string::npos ? "" : target.substr(0, slash + 1)) + ".kadenzo-XXXXXX";
  Descriptor file(mkstemp(temp.data()));
  if (file.Get() < 0) throw FileErrorFor(errno, target);
  try {
    if (fchmod(file.Get(), exists ? existing.st_mode & 07777 : NewFileMode()) != 0) {
      throw FileErrorFor(errno, target);
    }
    WriteLines(file.Get(), lines, "\r\n", target);
    if (fsync(file.Get()) != 0) throw FileErrorFor(errno, target);
    if (file.Close() != 0) throw FileErrorFor(errno, target);
    if (rename(temp.c_str(), target.c_str()) != 0) throw FileErrorFor(errno, target);
  } catch (...) {
    unlink(temp.c_str());
    throw;
  }
}

void DeleteInput(const std::string& inputPath) { unlink(inputPath.c_str()); }

void DeleteInput(const std::string& inputPath, const std::string& keptPath) {
  struct stat input {};
  struct stat kept {};
  if (stat(inputPath.c_str(), &input) == 0 && stat(keptPath.c_str(), &kept) == 0 &&
      input.st_dev == kept.st_dev && input.st_ino == kept.st_ino) {
    return;
  }
  DeleteInput(inputPath);
}

}  // namespace kadenzo
