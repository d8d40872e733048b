#include "score/ArticulationCopy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "score/MemoryLineStore.h"

namespace kadenzo {
namespace {

using Lines = std::vector<std::string>;

const char* const kHead = "!Clip-Start";
const char* const kTail = "!Clip-End";

struct Outcome {
  CopyResult result;
  Lines lines;
};

// Loads `lines` as the tool does (one Add each), runs the copy and reads the
// lines back.
Outcome Copy(const Lines& lines) {
  MemoryLineStore store;
  LineList list(store);
  for (const std::string& line : lines) list.Add(line);
  Outcome outcome{CopyArticulation(list), {}};
  for (LineList::Index i = 0; i < list.Count(); ++i) outcome.lines.push_back(list.Get(i));
  return outcome;
}

TEST(ArticulationCopyTest, WorkedExample) {
  Lines before = {kHead,
                  "|Other|A:1",
                  "|Note|A:2|Pos:1|B:3",
                  "|Note|A:4|Pos:5",
                  "|Chord|A:2|Pos:1,3",
                  "|Rest|A:2",
                  "|Bar",
                  "|Note|A:9|Pos:2",
                  "|Note|A:9|Pos:4",
                  "|Chord|A:9|Pos:0,2",
                  "|Note|A:9|Pos:7",
                  "|Bar",
                  "|Other|C:1",
                  "|Note|A:9|Pos:6",
                  "|Rest|A:9",
                  kTail};
  Lines after = {kHead,
                 "|Other|A:1",
                 "|Note|A:2|Pos:1|B:3",
                 "|Note|A:4|Pos:5",
                 "|Chord|A:2|Pos:1,3",
                 "|Rest|A:2",
                 "|Bar",
                 "|Other|A:1",
                 "|Note|A:2|Pos:2|B:3",
                 "|Note|A:4|Pos:4",
                 "|Chord|A:2|Pos:0,2",
                 "|Note|A:9|Pos:7",
                 "|Bar",
                 "|Other|C:1",
                 "|Note|A:2|Pos:6|B:3",
                 "|Rest|A:9",
                 kTail};
  Outcome once = Copy(before);
  EXPECT_EQ(once.result, CopyResult::Done);
  EXPECT_EQ(once.lines, after);

  Outcome twice = Copy(once.lines);
  EXPECT_EQ(twice.result, CopyResult::Done);
  EXPECT_EQ(twice.lines, after);
}

TEST(ArticulationCopyTest, RewritesLaterBars) {
  struct Case {
    const char* label;
    Lines before;
    Lines after;
  } cases[] = {
      {"bar line on line 1 is skipped",
       {kHead, "|Bar", "|Note|A:8|Pos:1", "|Bar", "|Note|A:4|Pos:3", "|Note|A:4|Pos:4", kTail},
       {kHead, "|Bar", "|Note|A:8|Pos:1", "|Bar", "|Note|A:8|Pos:3", "|Note|A:8|Pos:4", kTail}},
      {"later note without Pos stays",
       {kHead, "|Note|A:2|Pos:1", "|Bar", "|Note|A:9", kTail},
       {kHead, "|Note|A:2|Pos:1", "|Bar", "|Note|A:9", kTail}},
      {"later note with empty Pos stays",
       {kHead, "|Note|A:2|Pos:1", "|Bar", "|Note|A:9|Pos:", kTail},
       {kHead, "|Note|A:2|Pos:1", "|Bar", "|Note|A:9|Pos:", kTail}},
      {"template note without Pos leaves the note",
       {kHead, "|Note|A:2", "|Bar", "|Note|A:9|Pos:3", kTail},
       {kHead, "|Note|A:2", "|Bar", "|Note|A:9|Pos:3", kTail}},
      {"rest takes the template rest whole",
       {kHead, "|Rest|A:2|Pos:-2", "|Bar", "|Rest|A:9", kTail},
       {kHead, "|Rest|A:2|Pos:-2", "|Bar", "|Rest|A:2|Pos:-2", kTail}},
      {"chord keeps its whole position list",
       {kHead, "|Chord|Dur:4th,Staccato|Pos:1,3", "|Bar", "|Chord|Dur:8th|Pos:-2,0,2^", kTail},
       {kHead, "|Chord|Dur:4th,Staccato|Pos:1,3", "|Bar", "|Chord|Dur:4th,Staccato|Pos:-2,0,2^",
        kTail}},
      {"position found by first occurrence, not by field",
       {kHead, "|Note|XPos:1|Pos:2", "|Bar", "|Note|A:9|Pos:35", kTail},
       {kHead, "|Note|XPos:1|Pos:2", "|Bar", "|Note|XPos:35|Pos:2", kTail}},
      {"longer later bar pairs cyclically with other items inserted",
       {kHead, "|Other|A:1", "|Other|B:2", "|Note|A:2|Pos:1", "|Bar", "|Note|A:9|Pos:3",
        "|Note|A:9|Pos:4", kTail},
       {kHead, "|Other|A:1", "|Other|B:2", "|Note|A:2|Pos:1", "|Bar", "|Other|A:1", "|Other|B:2",
        "|Note|A:2|Pos:3", "|Other|A:1", "|Other|B:2", "|Note|A:2|Pos:4", kTail}},
      {"kinds that differ leave the note",
       {kHead, "|Rest|A:2", "|Bar", "|Note|A:9|Pos:1", "|Note|A:9|Pos:2", kTail},
       {kHead, "|Rest|A:2", "|Bar", "|Note|A:9|Pos:1", "|Note|A:9|Pos:2", kTail}},
      {"the last line is still paired",
       {kHead, "|Note|A:2|Pos:1", "|Bar", "|Note|A:9|Pos:3"},
       {kHead, "|Note|A:2|Pos:1", "|Bar", "|Note|A:2|Pos:3"}},
      {"no bar line: the search stops at the last line",
       {kHead, "|Note|A:2|Pos:1", "|Note|A:9|Pos:3"},
       {kHead, "|Note|A:2|Pos:1", "|Note|A:9|Pos:3"}},
      {"template ending in Pos gets the position appended",
       {kHead, "|Note|A:2|Pos", "|Bar", "|Note|A:9|Pos:3", kTail},
       {kHead, "|Note|A:2|Pos", "|Bar", "|Note|A:2|Pos3", kTail}},
      {"later bars re-anchor on the template",
       {kHead, "|Note|A:1|Pos:0", "|Note|A:2|Pos:0", "|Bar", "|Note|Pos:5", "|Bar", "|Note|Pos:6",
        "|Note|Pos:7", kTail},
       {kHead, "|Note|A:1|Pos:0", "|Note|A:2|Pos:0", "|Bar", "|Note|A:1|Pos:5", "|Bar",
        "|Note|A:1|Pos:6", "|Note|A:2|Pos:7", kTail}},
  };
  for (const Case& c : cases) {
    Outcome outcome = Copy(c.before);
    EXPECT_EQ(outcome.result, CopyResult::Done) << c.label;
    EXPECT_EQ(outcome.lines, c.after) << c.label;
  }
}

TEST(ArticulationCopyTest, NotEnoughBarsChangesNothing) {
  struct Case {
    const char* label;
    Lines lines;
  } cases[] = {
      {"empty list", {}},
      {"head only", {kHead}},
      {"one note, no bar", {kHead, "|Note|A:2|Pos:1", kTail}},
      {"empty line before the bar line",
       {kHead, "|Note|A:2|Pos:1", "", "|Bar", "|Note|A:9|Pos:3", kTail}},
      {"bar on line 1 and nothing after", {kHead, "|Bar"}},
  };
  for (const Case& c : cases) {
    Outcome outcome = Copy(c.lines);
    EXPECT_EQ(outcome.result, CopyResult::NotEnoughBars) << c.label;
    EXPECT_EQ(outcome.lines, c.lines) << c.label;
  }
}

// Such a template would insert its items in front of the same later note for
// ever; the copy has nothing to copy and must end.
TEST(ArticulationCopyTest, TemplateWithoutNotesEndsAndChangesNothing) {
  Lines lines = {kHead,  "|Clef|Type:Treble", "|Key|Signature:F#",
                 "|Bar", "|Note|A:9|Pos:3",   "|Rest|A:9",
                 kTail};
  Outcome outcome = Copy(lines);
  EXPECT_EQ(outcome.result, CopyResult::Done);
  EXPECT_EQ(outcome.lines, lines);
}

}  // namespace
}  // namespace kadenzo
