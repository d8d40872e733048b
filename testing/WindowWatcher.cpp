#include "testing/WindowWatcher.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>
#include <stdexcept>

namespace kadenzo::testing {

namespace {
::Display* X(void* display) { return static_cast<::Display*>(display); }
}  // namespace

WindowWatcher::WindowWatcher(const std::string& display) : display_(XOpenDisplay(display.c_str())) {
  if (display_ == nullptr) throw std::runtime_error("cannot open display " + display);
  XSelectInput(X(display_), DefaultRootWindow(X(display_)), SubstructureNotifyMask);
  XFlush(X(display_));
}

WindowWatcher::~WindowWatcher() { XCloseDisplay(X(display_)); }

bool WindowWatcher::WaitForShown(double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    while (XPending(X(display_)) > 0) {
      XEvent event;
      XNextEvent(X(display_), &event);
      if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(X(display_))) {
        return true;
      }
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd ready{ConnectionNumber(X(display_)), POLLIN, 0};
    poll(&ready, 1, static_cast<int>(left.count()));
  }
}

}  // namespace kadenzo::testing
