#include "testing/VirtualDisplay.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace kadenzo::testing {

VirtualDisplay::VirtualDisplay() {
  // With -displayfd, Xvfb writes the number it chose once it is ready.
  int ready[2];
  if (pipe(ready) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::string fd = std::to_string(ready[1]);
  const char* argv[] = {"Xvfb",        "-displayfd", fd.c_str(), "-screen", "0",
                        "1024x768x24", "-nolisten",  "tcp",      nullptr};
  pid_t pid = -1;
  int spawned =
      posix_spawnp(&pid, "Xvfb", &actions, nullptr, const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(ready[1]);
  char number[16] = {};
  ssize_t got = spawned == 0 ? read(ready[0], number, sizeof number - 1) : -1;
  close(ready[0]);
  if (got <= 0) {
    if (spawned == 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
    throw std::runtime_error("Xvfb did not start");
  }
  pid_ = pid;
  name_ = ":" + std::string(number, strcspn(number, "\n"));
}

VirtualDisplay::~VirtualDisplay() {
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}

}  // namespace kadenzo::testing
