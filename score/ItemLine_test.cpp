#include "score/ItemLine.h"

#include <gtest/gtest.h>

namespace kadenzo {
namespace {

TEST(ItemLineTest, ItemKind) {
  struct Case {
    const char* line;
    const char* kind;
  } cases[] = {
      {"|Bar", "Bar"},     {"|Bar|A:1", "Bar"}, {"|Chord|A:2|Pos:1,3|B:x", "Chord"},
      {"||x|y", "|x"},     {"|", ""},           {"", ""},
      {"Bar", ""},         {" |Bar", ""},       {"|bar", "bar"},
      {"|Note ", "Note "},
  };
  for (const Case& c : cases) EXPECT_EQ(ItemKind(c.line), c.kind) << c.line;
}

TEST(ItemLineTest, FieldValue) {
  struct Case {
    const char* line;
    const char* pos;
  } cases[] = {
      {"|Note|A:2|Pos:1|B:3", "1"},
      {"|Chord|Pos:1,3,5", "1,3,5"},
      {"|Chord|A:2|Pos:1,3|B:x", "1,3"},
      {"|Note|Pos:", ""},
      {"|Note|Pos:|A:1", ""},
      {"|Rest|A:2", ""},
      {"|Note|XPos:4|Pos:1", "4"},
      {"|Note|Pos|A:Pos:7", "7"},
      {"|Note|pos:3", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FieldValue("Pos", c.line), c.pos) << c.line;
}

}  // namespace
}  // namespace kadenzo
