// Runs the real Kadenzo program as the host does, on a virtual X display
// (Xvfb) that the test starts itself, and drives it with the keyboard.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>

#include "testing/CloseWindow.h"
#include "testing/RunProcess.h"
#include "testing/TempDir.h"

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
  static void SetUpTestSuite() {
    // Xvfb picks a free display itself and writes its number once it is ready.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string fd = std::to_string(ready[1]);
    const char* argv[] = {"Xvfb",        "-displayfd", fd.c_str(), "-screen", "0",
                          "1024x768x24", "-nolisten",  "tcp",      nullptr};
    ASSERT_EQ(
        posix_spawnp(&xvfb_, "Xvfb", &actions, nullptr, const_cast<char* const*>(argv), environ),
        0);
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    char number[16] = {};
    ASSERT_GT(read(ready[0], number, sizeof number - 1), 0);
    close(ready[0]);
    display_ = ":" + std::string(number, strcspn(number, "\n"));
  }
  static void TearDownTestSuite() {
    kill(xvfb_, SIGTERM);
    waitpid(xvfb_, nullptr, 0);
  }

  void SetUp() override { WriteFileBytes(input_, kClip); }

  int Start(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {KADENZO_APP};
    argv.insert(argv.end(), args.begin(), args.end());
    return StartProcess(argv, {"DISPLAY=" + display_, "QT_QPA_PLATFORM=xcb"});
  }

  // Waits for the window titled `title`, gives it the focus and types `keys`
  // (xdotool key names). False if no such window appears.
  bool Type(const std::string& title, const std::vector<std::string>& keys) {
    testing::ProcessOptions options;
    options.extraEnvironment = {"DISPLAY=" + display_};
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
    ASSERT_TRUE(testing::CloseWindow(display_, title));
  }

  static pid_t xvfb_;
  static std::string display_;
  testing::TempDir dir_;
  std::string input_ = dir_.Path("in.nwctxt");
  std::string output_ = dir_.Path("out.nwctxt");
};

pid_t KadenzoProcessTest::xvfb_ = 0;
std::string KadenzoProcessTest::display_;

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
