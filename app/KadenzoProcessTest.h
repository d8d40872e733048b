// The fixture for tests that run the real Kadenzo program as the host does,
// on a virtual X display (Xvfb) that the tests start themselves, and drive it
// with the keyboard.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "testing/CloseWindow.h"
#include "testing/RunProcess.h"
#include "testing/TempDir.h"
#include "testing/VirtualDisplay.h"

namespace kadenzo {

inline const char* const kMainTitle = "Kadenzo 0.1 by Tarrow Software";
inline const std::string kClip =
    "!Clip\r\n|Note|Dur:4th,Staccato|Pos:1\r\n|Bar\r\n|Note|Dur:8th|Pos:3\r\n!End\r\n";
inline const std::string kCopied =
    "!Clip\r\n|Note|Dur:4th,Staccato|Pos:1\r\n|Bar\r\n|Note|Dur:4th,Staccato|Pos:3\r\n!End\r\n";

class KadenzoProcessTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { display_ = std::make_unique<testing::VirtualDisplay>(); }
  static void TearDownTestSuite() { display_.reset(); }

  void SetUp() override { testing::WriteFileBytes(input_, kClip); }

  int Start(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {KADENZO_APP};
    argv.insert(argv.end(), args.begin(), args.end());
    return testing::StartProcess(argv, {"DISPLAY=" + display_->Name(), "QT_QPA_PLATFORM=xcb"});
  }

  // Waits for the window titled `title` to be shown, gives it the focus and
  // types `keys` (xdotool key names). False if no such window appears.
  bool Type(const std::string& title, const std::vector<std::string>& keys) {
    testing::ProcessOptions options;
    options.extraEnvironment = {"DISPLAY=" + display_->Name()};
    testing::ProcessResult found =
        testing::RunProcess({"timeout", "20", "xdotool", "search", "--sync", "--onlyvisible",
                             "--limit", "1", "--name", "^" + title + "$"},
                            options);
    if (found.exitCode != 0) return false;
    std::vector<std::string> argv = {"xdotool", "windowfocus", "--sync",
                                     found.out.substr(0, found.out.find('\n'))};
    for (const std::string& key : keys) argv.insert(argv.end(), {"key", "--delay", "100", key});
    // xdotool complains when the window is gone after the last key, which is
    // what the last key is often meant to do; the outcome is checked instead.
    testing::RunProcess(argv, options);
    return true;
  }

  // Asks the window titled `title` to close, as its close box does.
  void CloseByFrame(const std::string& title) {
    ASSERT_TRUE(Type(title, {}));
    ASSERT_TRUE(testing::CloseWindow(display_->Name(), title));
  }

  static inline std::unique_ptr<testing::VirtualDisplay> display_;
  testing::TempDir dir_;
  std::string input_ = dir_.Path("in.nwctxt");
  std::string output_ = dir_.Path("out.nwctxt");
};

}  // namespace kadenzo
