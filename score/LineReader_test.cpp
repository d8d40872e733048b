#include "score/LineReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "score/MemoryLineStore.h"

namespace kadenzo {
namespace {

using Lines = std::vector<std::string>;

// The lines read from `bytes`, fed in pieces of `piece` bytes.
Lines Read(const std::string& bytes, std::size_t piece = 0,
           LineReader::LineEnd lineEnd = LineReader::LineEnd::kCr) {
  MemoryLineStore store;
  LineList list(store);
  LineReader reader(list, lineEnd);
  if (piece == 0) piece = bytes.size() + 1;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    if (!reader.Feed(std::string_view(bytes).substr(at, piece))) break;
  }
  reader.Finish();
  Lines lines;
  for (LineList::Index i = 0; i < list.Count(); ++i) lines.push_back(list.Get(i));
  return lines;
}

struct Case {
  const char* label;
  std::string bytes;
  Lines lines;
};

const Case kCrCases[] = {
    {"CR LF ends lines", "A\r\nB", {"A", "B"}},
    {"CR CR LF gives an empty line", "A\r\r\nB", {"A", "", "B"}},
    {"lone LF stays inside", "A\nB", {"A\nB"}},
    {"lone CR ends a line", "A\rB", {"A", "B"}},
    {"LF CR", "A\n\rB", {"A\n", "B"}},
    {"break at the end adds no line", "A\r\n", {"A"}},
    {"kept empty line", "A\r\n\r\n", {"A", ""}},
    {"empty input", "", {}},
    {"Ctrl-Z first",
     "\x1a"
     "A\r\n",
     {}},
    {"Ctrl-Z ends the input",
     "A\r\nB\x1a"
     "C\r\nD",
     {"A", "B"}},
    {"Ctrl-Z at a line start",
     "A\r\n\x1a"
     "B",
     {"A"}},
    {"leading empty lines", "\r\n\r\nA", {"", "", "A"}},
    {"NUL and high bytes kept",
     std::string("A\0\xff\x80", 4) + "\r\n",
     {std::string("A\0\xff\x80", 4)}},
};

TEST(LineReaderTest, SplitsByTheReadingRules) {
  for (const Case& c : kCrCases) EXPECT_EQ(Read(c.bytes), c.lines) << c.label;
}

TEST(LineReaderTest, PieceBoundariesDoNotMatter) {
  for (const Case& c : kCrCases) {
    for (std::size_t piece = 1; piece <= 4; ++piece) {
      EXPECT_EQ(Read(c.bytes, piece), c.lines) << c.label << " in pieces of " << piece;
    }
  }
}

TEST(LineReaderTest, LfMode) {
  const Case cases[] = {
      {"LF ends lines", "A\nB\n", {"A", "B"}},
      {"empty lines kept", "A\n\nB", {"A", "", "B"}},
      {"Ctrl-Z still ends",
       "A\nB\x1a"
       "C\n",
       {"A", "B"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Read(c.bytes, 0, LineReader::LineEnd::kLf), c.lines) << c.label;
    EXPECT_EQ(Read(c.bytes, 1, LineReader::LineEnd::kLf), c.lines) << c.label;
  }
}

}  // namespace
}  // namespace kadenzo
