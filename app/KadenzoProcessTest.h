// The fixture for tests that run the real Kadenzo program as the host does,
// on a virtual X display (Xvfb) that the tests start themselves, and drive it
// with the keyboard.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "testing/AccessibilityBus.h"
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
  // A display or bus that cannot be started fails every test (rather than
  // skipping it, as a failure here would be shown).
  static void SetUpTestSuite() {
    try {
      display_ = std::make_unique<testing::VirtualDisplay>();
      accessibility_ = std::make_unique<testing::AccessibilityBus>();
    } catch (const std::exception& failure) {
      setUpFailure_ = failure.what();
    }
  }
  static void TearDownTestSuite() {
    accessibility_.reset();
    display_.reset();
  }

  void SetUp() override {
    ASSERT_EQ(setUpFailure_, "");
    testing::WriteFileBytes(input_, kClip);
  }

  int Start(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {KADENZO_APP};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> environment = accessibility_->Environment();
    environment.insert(environment.end(), {"DISPLAY=" + display_->Name(), "QT_QPA_PLATFORM=xcb"});
    return testing::StartProcess(argv, environment);
  }

  // The message boxes Kadenzo shows now, read as a screen reader reads them:
  // a line "caption: text" each.
  std::string Alerts() {
    testing::ProcessOptions options;
    options.extraEnvironment = accessibility_->Environment();
    return testing::RunProcess({KADENZO_READ_ALERTS, "Kadenzo"}, options).out;
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
  static inline std::unique_ptr<testing::AccessibilityBus> accessibility_;
  static inline std::string setUpFailure_;
  testing::TempDir dir_;
  std::string input_ = dir_.Path("in.nwctxt");
  std::string output_ = dir_.Path("out.nwctxt");
};

}  // namespace kadenzo
