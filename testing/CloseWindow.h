// Asking a window on an X display to close, the way its close box or Alt+F4
// does through a window manager. Kept apart because the X headers define
// macros that clash with other code.
#pragma once

#include <string>

namespace kadenzo::testing {

// Sends the close request to every top-level window titled `title` on
// `display` (":1"). Returns false if the display could not be opened.
bool CloseWindow(const std::string& display, const std::string& title);

}  // namespace kadenzo::testing
