// A private session bus with the accessibility bus on it, so that a test can
// read a running program's windows the way a screen reader does (see
// testing/read-alerts.py).
#pragma once

#include <string>
#include <vector>

namespace kadenzo::testing {

class AccessibilityBus {
 public:
  // Starts the buses. Throws std::runtime_error when they cannot be started.
  AccessibilityBus();
  AccessibilityBus(const AccessibilityBus&) = delete;
  AccessibilityBus& operator=(const AccessibilityBus&) = delete;
  // Stops them.
  ~AccessibilityBus();

  // The settings a program needs to be seen on these buses ("NAME=value").
  std::vector<std::string> Environment() const;

 private:
  std::string address_;
  int daemonPid_ = -1;
  int launcherPid_ = -1;
};

}  // namespace kadenzo::testing
