#include "testing/AccessibilityBus.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <sstream>
#include <stdexcept>

#include "testing/RunProcess.h"

namespace kadenzo::testing {

AccessibilityBus::AccessibilityBus() {
  // The daemon forks itself away and prints its address and process id.
  ProcessResult daemon =
      RunProcess({"dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"});
  std::istringstream printed(daemon.out);
  printed >> address_ >> daemonPid_;
  if (daemon.exitCode != 0 || address_.empty()) throw std::runtime_error("no session bus");
  launcherPid_ = StartProcess({"/usr/libexec/at-spi-bus-launcher", "--launch-immediately"},
                              {"DBUS_SESSION_BUS_ADDRESS=" + address_});
  if (launcherPid_ < 0) throw std::runtime_error("no accessibility bus");
}

AccessibilityBus::~AccessibilityBus() {
  kill(launcherPid_, SIGTERM);
  waitpid(launcherPid_, nullptr, 0);
  kill(daemonPid_, SIGTERM);
}

std::vector<std::string> AccessibilityBus::Environment() const {
  return {"DBUS_SESSION_BUS_ADDRESS=" + address_, "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1"};
}

}  // namespace kadenzo::testing
