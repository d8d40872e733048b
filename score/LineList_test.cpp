#include "score/LineList.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "score/MemoryLineStore.h"

namespace kadenzo {
namespace {

// Runs `edit` on a list over `buffer` and returns the buffer afterwards.
std::string Edited(const std::string& buffer, const std::function<void(LineList&)>& edit) {
  MemoryLineStore store = MemoryLineStore::FromBuffer(buffer);
  LineList lines(store);
  edit(lines);
  return store.Buffer();
}

TEST(LineListTest, CountLeavesOutAFinalEmptyLine) {
  struct Case {
    const char* label;
    std::string buffer;
    LineList::Index count;
  } cases[] = {
      {"empty buffer", "", 0},
      {"one line, no break", "A", 1},
      {"one line with break", "A\r\n", 1},
      {"line and empty line", "A\r\n\r\n", 2},
      {"last line without break", "A\r\nB", 2},
      {"lone CR and LF stay inside", "A\rB\nC", 1},
      {"only a break", "\r\n", 1},
  };
  for (const Case& c : cases) {
    MemoryLineStore store = MemoryLineStore::FromBuffer(c.buffer);
    EXPECT_EQ(LineList(store).Count(), c.count) << c.label;
  }
}

TEST(LineListTest, GetReadsWholeLinesAndEmptyPastTheEnd) {
  MemoryLineStore store = MemoryLineStore::FromBuffer("A\r\n\r\nB\nC\r\n");
  LineList lines(store);
  EXPECT_EQ(lines.Get(0), "A");
  EXPECT_EQ(lines.Get(1), "");
  EXPECT_EQ(lines.Get(2), "B\nC");
  EXPECT_EQ(lines.Get(3), "");
  EXPECT_EQ(lines.Get(5), "");
  EXPECT_EQ(lines.Get(-1), "");
}

TEST(LineListTest, GetNeverCutsALongLine) {
  std::string longLine(100'000, 'x');
  MemoryLineStore store = MemoryLineStore::FromBuffer(longLine + "\r\nB");
  EXPECT_EQ(LineList(store).Get(0), longLine);
}

TEST(LineListTest, EditsFollowTheBufferRules) {
  struct Case {
    const char* label;
    std::string before;
    std::function<void(LineList&)> edit;
    std::string after;
  } cases[] = {
      {"add to empty", "", [](LineList& l) { l.Add("A"); }, "A\r\n"},
      {"add after unterminated line", "A\r\nB", [](LineList& l) { l.Add("C"); }, "A\r\nB\r\nC"},
      {"add after terminated line", "A\r\n", [](LineList& l) { l.Add("C"); }, "A\r\nC\r\n"},
      {"add an empty line", "A\r\n", [](LineList& l) { l.Add(""); }, "A\r\n\r\n"},
      {"add a line break", "A\r\n", [](LineList& l) { l.Add("P\r\nQ"); }, "A\r\nP\r\nQ\r\n"},
      {"add line to empty", "", [](LineList& l) { l.AddLine("A"); }, "A\r\n"},
      {"add line after unterminated line", "A\r\nB", [](LineList& l) { l.AddLine("C"); },
       "A\r\nB\r\nC"},
      {"add line after terminated line", "A\r\n", [](LineList& l) { l.AddLine("C"); },
       "A\r\nC\r\n"},
      {"add an empty line alone", "A\r\n", [](LineList& l) { l.AddLine(""); }, "A\r\n\r\n"},
      {"insert in front", "A\r\n", [](LineList& l) { l.Insert(0, "X"); }, "X\r\nA\r\n"},
      {"insert at the empty last line", "A\r\n", [](LineList& l) { l.Insert(1, "C"); },
       "A\r\nC\r\n"},
      {"insert past an empty last line", "A\r\n", [](LineList& l) { l.Insert(2, "C"); }, "A\r\n"},
      {"insert far past the end", "A\r\nB", [](LineList& l) { l.Insert(5, "C"); }, "A\r\nB"},
      {"insert negative", "A\r\nB", [](LineList& l) { l.Insert(-1, "C"); }, "A\r\nB"},
      {"insert in the middle", "A\r\nB\r\n", [](LineList& l) { l.Insert(1, "X"); },
       "A\r\nX\r\nB\r\n"},
      {"put replaces text only", "A\r\nB\r\n", [](LineList& l) { l.Put(1, "Y"); }, "A\r\nY\r\n"},
      {"put on the empty last line", "A\r\n", [](LineList& l) { l.Put(1, "Z"); }, "A\r\nZ"},
      {"put past the end", "A\r\nB", [](LineList& l) { l.Put(5, "Z"); }, "A\r\nB"},
      {"put negative", "A\r\nB", [](LineList& l) { l.Put(-1, "Z"); }, "A\r\nB"},
      {"put a line break", "A\r\nB", [](LineList& l) { l.Put(0, "P\r\nQ"); }, "P\r\nQ\r\nB"},
      {"insert a line break", "A\r\nB", [](LineList& l) { l.Insert(1, "P\r\nQ"); },
       "A\r\nP\r\nQ\r\nB"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Edited(c.before, c.edit), c.after) << c.label;
  }
}

TEST(LineListTest, AddingBuildsAListOfExactlyTheLinesAdded) {
  MemoryLineStore store;
  LineList lines(store);
  for (const char* line : {"|Bar", "", "|Note|Pos:1", ""}) lines.Add(line);
  EXPECT_EQ(lines.Count(), 4);
  EXPECT_EQ(lines.Get(4), "");
  EXPECT_EQ(store.Buffer(), "|Bar\r\n\r\n|Note|Pos:1\r\n\r\n");
}

}  // namespace
}  // namespace kadenzo
