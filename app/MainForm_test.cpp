#include "app/MainForm.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <filesystem>
#include <string>

#include "forms/Application.h"
#include "testing/DialogAnswerer.h"
#include "testing/RunProcess.h"
#include "testing/TempDir.h"

namespace kadenzo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::WriteFileBytes;

const std::string kClip =
    "!Clip\r\n"
    "|Note|Dur:4th,Staccato|Pos:1\r\n"
    "|Bar\r\n"
    "|Note|Dur:4th|Pos:3\r\n"
    "!End\r\n";
const std::string kCopied =
    "!Clip\r\n"
    "|Note|Dur:4th,Staccato|Pos:1\r\n"
    "|Bar\r\n"
    "|Note|Dur:4th,Staccato|Pos:3\r\n"
    "!End\r\n";

class MainFormTest : public ::testing::Test {
 protected:
  // Starts the window as the program does, on `clip` as the input file.
  TMain* Start(const std::string& clip, const std::string& output = "") {
    WriteFileBytes(input_, clip);
    application_ = std::make_unique<forms::TApplication>(std::vector<std::string>{
        "/usr/bin/Kadenzo", input_, output.empty() ? output_ : output, "ignored"});
    TMain* main = application_->CreateForm<TMain>();
    main->ShowCentered();
    QApplication::setActiveWindow(main);
    EXPECT_TRUE(QTest::qWaitForWindowActive(main));
    return main;
  }

  static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
  }

  testing::TempDir dir_;
  std::string input_ = dir_.Path("in.nwctxt");
  std::string output_ = dir_.Path("out.nwctxt");
  testing::DialogAnswerer answerer_;
  std::unique_ptr<forms::TApplication> application_;
};

TEST_F(MainFormTest, LayoutAndCaptions) {
  TMain* main = Start(kClip);
  EXPECT_EQ(main->windowTitle(), "Kadenzo 0.1 by Tarrow Software");
  EXPECT_EQ(main->size(), QSize(400, 320));
  EXPECT_EQ(main->minimumSize(), main->maximumSize());
  EXPECT_FALSE(main->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(main->font().pointSize(), 8);
  struct Control {
    QWidget* widget;
    QRect bounds;
    QString caption;
  } controls[] = {
      {main->CopyButton, QRect(88, 16, 224, 25), "Copy Articulation from First Bar"},
      {main->Memo1, QRect(16, 56, 369, 209), ""},
      {main->OkButton, QRect(88, 280, 105, 25), "&OK"},
      {main->CancelButton, QRect(208, 280, 105, 25), "Cancel"},
  };
  for (const Control& c : controls) {
    EXPECT_EQ(c.widget->geometry(), c.bounds) << c.widget->objectName().toStdString();
    if (auto* button = qobject_cast<QPushButton*>(c.widget)) {
      EXPECT_EQ(button->text(), c.caption);
      QString shown = QString(c.caption).remove('&');
      EXPECT_LE(button->fontMetrics().horizontalAdvance(shown) + 8, c.bounds.width())
          << shown.toStdString() << " does not fit its button";
    }
  }
  EXPECT_EQ(main->Memo1->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(main->Memo1->toPlainText().toStdString(),
            "!Clip\n|Note|Dur:4th,Staccato|Pos:1\n|Bar\n|Note|Dur:4th|Pos:3\n!End\n");
}

TEST_F(MainFormTest, EveryControlIsNamedForScreenReaders) {
  TMain* main = Start(kClip);
  EXPECT_EQ(main->Memo1->accessibleName(), "Score text");
  for (QWidget* control :
       {static_cast<QWidget*>(main), static_cast<QWidget*>(main->Memo1),
        static_cast<QWidget*>(main->CopyButton), static_cast<QWidget*>(main->OkButton),
        static_cast<QWidget*>(main->CancelButton)}) {
    EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
    EXPECT_FALSE(control->accessibleDescription().isEmpty()) << control->objectName().toStdString();
  }
}

TEST_F(MainFormTest, TabOrderRunsCopyEditOkCancel) {
  TMain* main = Start(kClip);
  QWidget* order[] = {main->CopyButton, main->Memo1, main->OkButton, main->CancelButton,
                      main->CopyButton};
  EXPECT_EQ(QApplication::focusWidget(), main->CopyButton);
  for (int i = 1; i < 5; ++i) {
    Press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), order[i]) << "after " << i << " Tab";
  }
  for (int i = 3; i >= 0; --i) {
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), order[i]) << "back to " << i;
  }
}

TEST_F(MainFormTest, KeyboardPressesTheFocusedButton) {
  struct Case {
    const char* label;
    int key;
    bool copyFirst;
    bool copied;    // the later note took the template's articulation
    bool finished;  // the window closed and the output was written
  } cases[] = {
      {"Enter at start copies", Qt::Key_Return, false, true, false},
      {"Space at start copies", Qt::Key_Space, false, true, false},
      {"Enter after copy confirms", Qt::Key_Return, true, true, true},
      {"Escape does nothing", Qt::Key_Escape, false, false, false},
      {"Escape after copy does nothing", Qt::Key_Escape, true, true, false},
  };
  for (const Case& c : cases) {
    TMain* main = Start(kClip);
    if (c.copyFirst) Press(Qt::Key_Return);
    Press(c.key);
    EXPECT_EQ(main->Memo1->Lines().Get(3) == "|Note|Dur:4th,Staccato|Pos:3", c.copied) << c.label;
    EXPECT_EQ(!main->isVisible(), c.finished) << c.label;
    EXPECT_EQ(fs::exists(output_), c.finished) << c.label;
    EXPECT_EQ(fs::exists(input_), !c.finished) << c.label;
    if (main->isVisible() && c.copied) {
      EXPECT_TRUE(main->OkButton->isDefault()) << c.label;
      EXPECT_FALSE(main->CopyButton->isDefault()) << c.label;
      EXPECT_EQ(QApplication::focusWidget(), main->OkButton) << c.label;
    }
    fs::remove(output_);
  }
  EXPECT_TRUE(answerer_.Seen().isEmpty());
}

TEST_F(MainFormTest, EnterInTheEditAreaBreaksTheLine) {
  TMain* main = Start(kClip);
  main->Memo1->setFocus();
  main->Memo1->moveCursor(QTextCursor::Start);
  Press(Qt::Key_Right);
  Press(Qt::Key_Return);
  EXPECT_EQ(main->Memo1->Lines().Get(0), "!");
  EXPECT_EQ(main->Memo1->Lines().Get(1), "Clip");
  EXPECT_TRUE(main->isVisible());
  EXPECT_TRUE(main->CopyButton->isDefault());
}

TEST_F(MainFormTest, AltOFromTheEditAreaConfirms) {
  TMain* main = Start(kClip);
  main->Memo1->setFocus();
  Press(Qt::Key_O, Qt::AltModifier);
  // An access key presses its button the way a click would look, briefly
  // shown down first.
  EXPECT_TRUE(QTest::qWaitFor([main] { return !main->isVisible(); }));
  EXPECT_EQ(ReadFileBytes(output_), kClip);
  EXPECT_FALSE(fs::exists(input_));
}

TEST_F(MainFormTest, CopyThenOkWritesTheResult) {
  TMain* main = Start(kClip);
  QTest::mouseClick(main->CopyButton, Qt::LeftButton);
  QTest::mouseClick(main->OkButton, Qt::LeftButton);
  EXPECT_FALSE(main->isVisible());
  EXPECT_EQ(ReadFileBytes(output_), kCopied);
  EXPECT_FALSE(fs::exists(input_));
}

TEST_F(MainFormTest, CancelDeletesTheInputOnly) {
  TMain* main = Start(kClip);
  fs::remove(input_);
  QTest::mouseClick(main->CancelButton, Qt::LeftButton);
  EXPECT_FALSE(main->isVisible());
  EXPECT_FALSE(fs::exists(output_));
  EXPECT_TRUE(answerer_.Seen().isEmpty());
}

TEST_F(MainFormTest, ClosingByTheFrameTouchesNoFile) {
  TMain* main = Start(kClip);
  Press(Qt::Key_Return);
  main->close();
  EXPECT_FALSE(main->isVisible());
  EXPECT_FALSE(fs::exists(output_));
  EXPECT_EQ(ReadFileBytes(input_), kClip);
}

TEST_F(MainFormTest, WriteFailureKeepsTheWindowOpen) {
  TMain* main = Start(kClip, dir_.Path("missing/out.nwctxt"));
  QTest::mouseClick(main->OkButton, Qt::LeftButton);
  EXPECT_EQ(answerer_.Seen(), QStringList{"Kadenzo: Invalid filename. [stop]"});
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(ReadFileBytes(input_), kClip);
  QTest::mouseClick(main->CancelButton, Qt::LeftButton);
  EXPECT_FALSE(main->isVisible());
  EXPECT_FALSE(fs::exists(input_));
}

TEST_F(MainFormTest, NotEnoughBarsEndsTheTool) {
  TMain* main = Start("!Clip\r\n|Note|Pos:1\r\n!End\r\n");
  QTest::mouseClick(main->CopyButton, Qt::LeftButton);
  EXPECT_EQ(answerer_.Seen(), QStringList{"Error: Not enough bars. [stop]"});
  EXPECT_FALSE(main->isVisible());
  EXPECT_FALSE(fs::exists(input_));
  EXPECT_FALSE(fs::exists(output_));
}

TEST_F(MainFormTest, MissingInputOpensAnEmptyWindow) {
  application_ = std::make_unique<forms::TApplication>(
      std::vector<std::string>{"/usr/bin/Kadenzo", dir_.Path("nothing"), output_});
  TMain* main = application_->CreateForm<TMain>();
  EXPECT_EQ(answerer_.Seen(), QStringList{"Kadenzo: File not found. [stop]"});
  EXPECT_EQ(main->Memo1->Lines().Count(), 0);
}

}  // namespace
}  // namespace kadenzo
