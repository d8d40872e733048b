#include "testing/CloseWindow.h"

#include <X11/Xlib.h>

namespace kadenzo::testing {

bool CloseWindow(const std::string& display, const std::string& title) {
  ::Display* x = XOpenDisplay(display.c_str());
  if (x == nullptr) return false;
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count);
  Atom protocols = XInternAtom(x, "WM_PROTOCOLS", False);
  Atom deleteWindow = XInternAtom(x, "WM_DELETE_WINDOW", False);
  for (unsigned i = 0; i < count; ++i) {
    char* name = nullptr;
    if (XFetchName(x, children[i], &name) != 0 && name != nullptr && title == name) {
      XEvent event{};
      event.xclient.type = ClientMessage;
      event.xclient.window = children[i];
      event.xclient.message_type = protocols;
      event.xclient.format = 32;
      event.xclient.data.l[0] = static_cast<long>(deleteWindow);
      event.xclient.data.l[1] = CurrentTime;
      XSendEvent(x, children[i], False, NoEventMask, &event);
    }
    if (name != nullptr) XFree(name);
  }
  if (children != nullptr) XFree(children);
  XCloseDisplay(x);
  return true;
}

}  // namespace kadenzo::testing
