// Watches an X display for top-level windows being shown, so that a
// benchmark can tell when a program's window appears. Kept apart because the
// X headers define macros that clash with other code.
#pragma once

#include <string>

namespace kadenzo::testing {

class WindowWatcher {
 public:
  // Starts watching `display` (":1") at once. Throws std::runtime_error when
  // the display cannot be opened.
  explicit WindowWatcher(const std::string& display);
  WindowWatcher(const WindowWatcher&) = delete;
  WindowWatcher& operator=(const WindowWatcher&) = delete;
  ~WindowWatcher();

  // Waits up to `seconds` for the next top-level window to be shown; false if
  // none was.
  bool WaitForShown(double seconds);

 private:
  void* display_;  // the X connection, opaque here
};

}  // namespace kadenzo::testing
