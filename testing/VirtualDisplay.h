// A virtual X display (Xvfb) of our own for tests and benchmarks that run our
// window programs as processes. Xvfb picks a free display number itself.
#pragma once

#include <string>

namespace kadenzo::testing {

class VirtualDisplay {
 public:
  // Starts Xvfb and waits until it accepts clients. Throws std::runtime_error
  // when it cannot be started.
  VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;
  // Stops Xvfb.
  ~VirtualDisplay();

  // The display's name, such as ":1", for DISPLAY.
  const std::string& Name() const { return name_; }

 private:
  int pid_ = -1;
  std::string name_;
};

}  // namespace kadenzo::testing
