// kadenzo-filter reads score clip text on standard input, copies the first
// bar's articulation onto the later bars and writes the result on standard
// output. Exit status 0: standard output holds the result. 1: nothing usable
// on standard output, the reason on standard error. 2: bad command line.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iostream>
#include <new>
#include <string>
#include <string_view>

#include "score/ArticulationCopy.h"
#include "score/FileError.h"
#include "score/LineReader.h"
#include "score/MemoryLineStore.h"
#include "score/ScoreFile.h"
#include "score/WholeInput.h"

namespace {

constexpr const char* kUsage =
    "Usage: kadenzo-filter [--help | --version]\n"
    "Reads score clip text on standard input, copies the articulation of the first bar\n"
    "onto every later bar, and writes the result on standard output.\n"
    "Exit status: 0 result written; 1 nothing written, reason on standard error;\n"
    "2 bad command line.\n";

// Set before the input is mapped: the text a SIGBUS reports.
std::string* busErrorText = nullptr;

// Standard input may be a file mapped into memory; should the file shrink
// while the filter runs, reading the lost part raises SIGBUS. That is a read
// failure like any other: the reason on standard error, exit status 1, and
// the host ignores whatever reached standard output.
extern "C" void OnBusError(int) {
  ssize_t ignored = write(STDERR_FILENO, busErrorText->data(), busErrorText->size());
  (void)ignored;
  _exit(1);
}

int Filter() {
  using namespace kadenzo;
  MemoryLineStore store;
  LineList lines(store);
  // Text that holds no CR at all comes from a system that ends lines with LF;
  // it is read and written back that way.
  bool lfText = false;
  {
    WholeInput whole = ReadWholeInput(STDIN_FILENO);
    std::string_view input = whole.text;
    store.Adopt(input, std::move(whole.owner));
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
  std::string busError = kadenzo::FileErrorFor(EIO, "").what() + std::string(".\n");
  busErrorText = &busError;
  std::signal(SIGBUS, OnBusError);
  try {
    return Filter();
  } catch (const kadenzo::FileError& error) {
    std::cerr << error.what() << ".\n";
    return 1;
  } catch (const std::bad_alloc&) {
    std::cerr << "Not enough memory.\n";
    return 1;
  }
}
