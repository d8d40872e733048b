// kadenzo-filter reads score clip text on standard input, copies the first
// bar's articulation onto the later bars and writes the result on standard
// output. Exit status 0: standard output holds the result. 1: nothing usable
// on standard output, the reason on standard error. 2: bad command line.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>

#include "score/ArticulationCopy.h"
#include "score/FileError.h"
#include "score/LargeMemory.h"
#include "score/LineReader.h"
#include "score/MemoryLineStore.h"
#include "score/ScoreFile.h"

namespace {

constexpr const char* kUsage =
    "Usage: kadenzo-filter [--help | --version]\n"
    "Reads score clip text on standard input, copies the articulation of the first bar\n"
    "onto every later bar, and writes the result on standard output.\n"
    "Exit status: 0 result written; 1 nothing written, reason on standard error;\n"
    "2 bad command line.\n";

struct Input {
  kadenzo::LargeArray<char> bytes;
  std::size_t size = 0;
};

Input ReadAll(int fd) {
  // A file on standard input is read in one piece of its exact size; a pipe
  // in growing steps.
  struct stat info {};
  std::size_t room = std::size_t{1} << 20;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
    room = static_cast<std::size_t>(info.st_size) + 1;
  }
  Input input{kadenzo::AllocateLarge<char>(room), 0};
  for (;;) {
    if (input.size == room) {
      room *= 2;
      auto grown = kadenzo::AllocateLarge<char>(room);
      std::memcpy(grown.get(), input.bytes.get(), input.size);
      input.bytes = std::move(grown);
    }
    ssize_t got = read(fd, input.bytes.get() + input.size, room - input.size);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw kadenzo::FileErrorFor(errno, "");
    }
    if (got == 0) break;
    input.size += static_cast<std::size_t>(got);
  }
  return input;
}

int Filter() {
  using namespace kadenzo;
  MemoryLineStore store;
  LineList lines(store);
  // Text that holds no CR at all comes from a system that ends lines with LF;
  // it is read and written back that way.
  bool lfText = false;
  {
    Input read = ReadAll(STDIN_FILENO);
    std::string_view input = store.Adopt(std::move(read.bytes), read.size);
    lfText = input.find('\r') == std::string_view::npos;
    // Room for the lines of a typical clip (over 16 bytes a line) and what
    // the copy adds, so that the line order is laid out once.
    store.Reserve(input.size() / 16 + 64);
    LineReader reader(lines, lfText ? LineReader::LineEnd::kLf : LineReader::LineEnd::kCr);
    reader.Feed(input);
    reader.Finish();
  }
  if (CopyArticulation(lines) == CopyResult::NotEnoughBars) {
    std::cerr << "Not enough bars.\n";
    return 1;
  }
  WriteLines(STDOUT_FILENO, lines, lfText ? "\n" : "\r\n", "");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--help") {
    std::cout << kUsage;
    return 0;
  }
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << "kadenzo-filter " << KADENZO_VERSION << "\n";
    return 0;
  }
  if (argc > 1) {
    std::cerr << "kadenzo-filter: unexpected argument '" << argv[1] << "'\n" << kUsage;
    return 2;
  }
  try {
    return Filter();
  } catch (const kadenzo::FileError& error) {
    std::cerr << error.what() << ".\n";
    return 1;
  }
}
