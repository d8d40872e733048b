// Runs the real Kadenzo program as the host does, on a virtual X display
// (Xvfb) that the test starts itself, and drives it with the keyboard.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "testing/CloseWindow.h"
#include "testing/RunProcess.h"
#include "testing/TempDir.h"
#include "testing/VirtualDisplay.h"

namespace kadenzo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::RunProcess;
using testing::StartProcess;
using testing::WaitProcess;
using testing::WriteFileBytes;

const char* const kMainTitle = "Kadenzo 0.1 by Tarrow Software";
const std::string kClip =
    "!Clip\r\n|Note|Dur:4th,Staccato|Pos:1\r\n|Bar\r\n|Note|Dur:8th|Pos:3\r\n!End\r\n";
const std::string kCopied =
    "!Clip\r\n|Note|Dur:4th,Staccato|Pos:1\r\n|Bar\r\n|Note|Dur:4th,Staccato|Pos:3\r\n!End\r\n";

class KadenzoProcessTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { display_ = std::make_unique<testing::VirtualDisplay>(); }
  static void TearDownTestSuite() { display_.reset(); }

  void SetUp() override { WriteFileBytes(input_, kClip); }

  int Start(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {KADENZO_APP};
    argv.insert(argv.end(), args.begin(), args.end());
    return StartProcess(argv, {"DISPLAY=" + display_->Name(), "QT_QPA_PLATFORM=xcb"});
  }

  // Waits for the window titled `title`, gives it the focus and types `keys`
  // (xdotool key names). False if no such window appears.
  bool Type(const std::string& title, const std::vector<std::string>& keys) {
    testing::ProcessOptions options;
    options.extraEnvironment = {"DISPLAY=" + display_->Name()};
    testing::ProcessResult found = RunProcess({"timeout", "20", "xdotool", "search", "--sync",
                                               "--limit", "1", "--name", "^" + title + "$"},
                                              options);
    if (found.exitCode != 0) return false;
    std::vector<std::string> argv = {"xdotool", "windowfocus", "--sync",
                                     found.out.substr(0, found.out.find('\n'))};
    for (const std::string& key : keys) argv.insert(argv.end(), {"key", "--delay", "100", key});
    // xdotool complains when the window is gone after the last key, which is
    // what the last key is often meant to do; the outcome is checked instead.
    RunProcess(argv, options);
    return true;
  }

  // Asks the window titled `title` to close, as its close box does.
  void CloseByFrame(const std::string& title) {
    ASSERT_TRUE(Type(title, {}));
    ASSERT_TRUE(testing::CloseWindow(display_->Name(), title));
  }

  static std::unique_ptr<testing::VirtualDisplay> display_;
  testing::TempDir dir_;
  std::string input_ = dir_.Path("in.nwctxt");
  std::string output_ = dir_.Path("out.nwctxt");
};

std::unique_ptr<testing::VirtualDisplay> KadenzoProcessTest::display_;

TEST_F(KadenzoProcessTest, WithoutParametersShowsTheErrorAndTouchesNothing) {
  for (std::vector<std::string> args : {std::vector<std::string>{}, {input_}}) {
    int kadenzo = Start(args);
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
