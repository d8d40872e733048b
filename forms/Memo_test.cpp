#include "forms/Memo.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>

#include <random>
#include <string>
#include <vector>

#include "forms/Application.h"
#include "forms/Form.h"
#include "score/MemoryLineStore.h"
#include "score/ScoreFile.h"
#include "testing/RunProcess.h"
#include "testing/TempDir.h"

namespace kadenzo::forms {
namespace {

class MemoTest : public ::testing::Test {
 protected:
  TApplication application_{{"Kadenzo"}};
  TForm form_{application_};
  TMemo memo_{form_, "Memo1", QRect(16, 56, 369, 209)};
};

// The edit area must obey the same line rules as the in-memory store: the
// same random edits through a line list give the same lines on both, whether
// they are made one by one or grouped into one update.
// `lines` receives the lines the edits should leave, read from the model.
void ExpectSameLinesAfterRandomEdits(LineList& actual, std::vector<std::string>& lines) {
  MemoryLineStore model;
  LineList expected(model);
  std::mt19937 random(5);
  const char* texts[] = {"", "|Bar", "|Note|Pos:1", "A\r\nB", "x\ny"};
  for (int step = 0; step < 3000; ++step) {
    LineList::Index index = static_cast<LineList::Index>(random() % 12) - 1;
    const char* text = texts[random() % 5];
    switch (random() % 4) {
      case 0:
        expected.Put(index, text), actual.Put(index, text);
        break;
      case 1:
        expected.Insert(index, text), actual.Insert(index, text);
        break;
      default:
        expected.Add(text), actual.Add(text);
        break;
    }
    ASSERT_EQ(actual.Count(), expected.Count()) << "step " << step;
    ASSERT_EQ(actual.Get(index), expected.Get(index)) << "step " << step;
  }
  for (LineList::Index i = 0; i <= expected.Count(); ++i) {
    EXPECT_EQ(actual.Get(i), expected.Get(i));
    lines.push_back(expected.Get(i));
  }
}

std::vector<std::string> LinesOf(const LineList& list) {
  std::vector<std::string> lines;
  for (LineList::Index i = 0; i <= list.Count(); ++i) lines.push_back(list.Get(i));
  return lines;
}

TEST_F(MemoTest, FollowsTheLineRulesLikeTheMemoryStore) {
  std::vector<std::string> expected;
  ExpectSameLinesAfterRandomEdits(memo_.Lines(), expected);
}

TEST_F(MemoTest, FollowsTheLineRulesInsideAnUpdate) {
  std::vector<std::string> expected;
  {
    TMemo::Update update(memo_);
    ExpectSameLinesAfterRandomEdits(memo_.Lines(), expected);
  }
  EXPECT_EQ(LinesOf(memo_.Lines()), expected);
}

TEST_F(MemoTest, EveryByteValueSurvivesLoadingAndWriting) {
  testing::TempDir dir;
  std::string all;
  for (int b = 0; b < 256; ++b) {
    if (b != '\r' && b != 26) all += static_cast<char>(b);
  }
  std::string input = "!Clip\r\n" + all + "\r\ncaf\xe9 \xc3\xa9t\xc3\xa9\r\n\r\n|Bar\r\n";
  testing::WriteFileBytes(dir.Path("in"), input);
  {
    TMemo::Update update(memo_, false);
    LoadInput(dir.Path("in"), memo_.Lines());
  }
  EXPECT_EQ(memo_.document()->blockCount(), 6);
  WriteOutput(dir.Path("out"), memo_.Lines());
  EXPECT_EQ(testing::ReadFileBytes(dir.Path("out")), input);
}

TEST_F(MemoTest, TypedTextIsWhatTheListReads) {
  memo_.Lines().Add("|Note|Pos:1");
  memo_.setFocus();
  memo_.moveCursor(QTextCursor::Start);
  QTest::keyClicks(&memo_, "X");
  QTest::keyClick(&memo_, Qt::Key_Return);
  QTest::sendKeyEvent(QTest::Click, &memo_, Qt::Key_Eacute, QString::fromUtf8("é"), Qt::NoModifier);
  EXPECT_EQ(memo_.Lines().Count(), 2);
  EXPECT_EQ(memo_.Lines().Get(0), "X");
  EXPECT_EQ(memo_.Lines().Get(1), "\xc3\xa9|Note|Pos:1");
}

TEST_F(MemoTest, LongLinesScrollInsteadOfWrapping) {
  memo_.Lines().Add(std::string(2000, 'x'));
  form_.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(memo_.document()->lineCount(), 2);
  EXPECT_TRUE(memo_.horizontalScrollBar()->isVisible());
  EXPECT_GT(memo_.horizontalScrollBar()->maximum(), 0);
}

}  // namespace
}  // namespace kadenzo::forms
