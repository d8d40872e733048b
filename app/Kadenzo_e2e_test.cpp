// Runs the real Kadenzo program as the host does, on a virtual X display
// (Xvfb) that the test starts itself, and drives it with the keyboard.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/KadenzoProcessTest.h"

namespace kadenzo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::WaitProcess;
using testing::WriteFileBytes;

TEST_F(KadenzoProcessTest, WithoutParametersShowsTheErrorAndTouchesNothing) {
  for (std::vector<std::string> args : {std::vector<std::string>{}, {input_}}) {
    int kadenzo = Start(args);
    ASSERT_TRUE(Type("Error", {}));
    EXPECT_EQ(Alerts(),
              "Error: This program cannot run by itself. Please setup Kadenzo.exe as a user tool "
              "in NoteWorthy Composer.\n");
    ASSERT_TRUE(Type("Error", {"Return"}));
    EXPECT_EQ(WaitProcess(kadenzo, 30), 0);
    EXPECT_EQ(ReadFileBytes(input_), kClip);
    EXPECT_FALSE(fs::exists(output_));
  }
}

TEST_F(KadenzoProcessTest, EnterCopiesAndEnterConfirms) {
  int kadenzo = Start({input_, output_, "ignored"});
  ASSERT_TRUE(Type(kMainTitle, {"Return", "Return"}));
  EXPECT_EQ(WaitProcess(kadenzo, 30), 0);
  EXPECT_EQ(ReadFileBytes(output_), kCopied);
  EXPECT_FALSE(fs::exists(input_));
}

TEST_F(KadenzoProcessTest, CancelDeletesTheInputAndWritesNothing) {
  int kadenzo = Start({input_, output_});
  ASSERT_TRUE(Type(kMainTitle, {"Tab", "Tab", "Tab", "space"}));
  EXPECT_EQ(WaitProcess(kadenzo, 30), 0);
  EXPECT_FALSE(fs::exists(output_));
  EXPECT_FALSE(fs::exists(input_));
}

TEST_F(KadenzoProcessTest, CloseBoxTouchesNeitherFile) {
  int kadenzo = Start({input_, output_});
  ASSERT_TRUE(Type(kMainTitle, {"Return"}));
  CloseByFrame(kMainTitle);
  EXPECT_EQ(WaitProcess(kadenzo, 30), 0);
  EXPECT_FALSE(fs::exists(output_));
  EXPECT_EQ(ReadFileBytes(input_), kClip);
}

}  // namespace
}  // namespace kadenzo
