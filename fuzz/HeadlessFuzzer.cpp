// The whole headless path on any bytes: reading rules, line list, articulation
// copy, output bytes; with what must hold for every input checked here.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/CountingLineStore.h"
#include "score/ArticulationCopy.h"
#include "score/ItemLine.h"
#include "score/LineReader.h"
#include "score/ScoreFile.h"

namespace {

using kadenzo::LineList;

void Fail(const char* what) {
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

void Check(bool holds, const char* what) {
  if (!holds) Fail(what);
}

std::vector<std::string> LinesOf(const LineList& lines) {
  std::vector<std::string> all;
  for (LineList::Index i = 0; i < lines.Count(); ++i) all.push_back(lines.Get(i));
  return all;
}

bool IsNoteLike(std::string_view kind) {
  return kind == "Note" || kind == "Chord" || kind == "Rest";
}

// What WriteLines puts in a file, read back.
std::string WrittenBytes(const LineList& lines) {
  int fd = memfd_create("kadenzo-fuzz", 0);
  if (fd < 0) Fail("memfd_create");
  kadenzo::WriteLines(fd, lines, "\r\n", "memory");
  std::string bytes(static_cast<std::size_t>(lseek(fd, 0, SEEK_END)), '\0');
  if (pread(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
    Fail("pread");
  }
  close(fd);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kadenzo::fuzz::CountingLineStore store;
  LineList lines(store);
  kadenzo::LineReader reader(lines);
  reader.Feed(std::string_view(reinterpret_cast<const char*>(data), size));
  reader.Finish();
  std::vector<std::string> before = LinesOf(lines);

  // The first bar, worked out here from the lines alone: from line 1 (2 when
  // line 1 is a bar line) up to the next bar line.
  std::size_t first = before.size() > 1 && kadenzo::ItemKind(before[1]) == "Bar" ? 2 : 1;
  std::size_t close = first + 1;
  while (close < before.size() && kadenzo::ItemKind(before[close]) != "Bar") ++close;
  std::size_t barLength = close - first + 1;
  bool barHasNote = false;
  for (std::size_t i = first; i < close && i < before.size(); ++i) {
    barHasNote = barHasNote || IsNoteLike(kadenzo::ItemKind(before[i]));
  }

  // Every step of the walk reads or changes a handful of lines and moves
  // through the later lines at most once per first-bar item.
  store.SetBudget(1000 + 64 * (before.size() + 2) * (barLength + 2));
  kadenzo::CopyResult result;
  try {
    result = kadenzo::CopyArticulation(lines);
  } catch (const kadenzo::fuzz::CountingLineStore::BudgetSpent&) {
    Fail("the copy did not end within its step bound");
  }
  store.SetBudget(static_cast<std::size_t>(-1));
  std::vector<std::string> after = LinesOf(lines);

  Check(after.size() >= before.size(), "a line was removed");
  if (result == kadenzo::CopyResult::NotEnoughBars || !barHasNote) {
    Check(after == before, "lines changed without a first bar holding a note");
  } else {
    for (std::size_t i = 0; i <= close && i < before.size(); ++i) {
      Check(after[i] == before[i], "a line up to the closing bar line changed");
    }
  }

  std::string expected;
  for (const std::string& line : after) expected += line + "\r\n";
  Check(WrittenBytes(lines) == expected, "output bytes are not the lines joined with CR LF");
  return 0;
}
