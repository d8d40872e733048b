#include "testing/RunProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

extern char** environ;

namespace kadenzo::testing {

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

namespace {

// Our environment with the `extra` settings added, each replacing a setting
// of the same name.
std::vector<char*> Environment(const std::vector<std::string>& extra) {
  std::vector<char*> env;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string_view setting(*e);
    std::string_view name = setting.substr(0, setting.find('=') + 1);
    bool replaced = false;
    for (const std::string& more : extra) replaced = replaced || more.rfind(name, 0) == 0;
    if (!replaced) env.push_back(*e);
  }
  for (const std::string& more : extra) env.push_back(const_cast<char*>(more.c_str()));
  env.push_back(nullptr);
  return env;
}

std::vector<char*> Arguments(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  return args;
}

}  // namespace

int StartProcess(const std::vector<std::string>& argv,
                 const std::vector<std::string>& extraEnvironment) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> args = Arguments(argv);
  std::vector<char*> env = Environment(extraEnvironment);
  pid_t child = -1;
  if (posix_spawnp(&child, args[0], &actions, nullptr, args.data(), env.data()) != 0) child = -1;
  posix_spawn_file_actions_destroy(&actions);
  return child;
}

int WaitProcess(int pid, double seconds) {
  for (double waited = 0; waited < seconds; waited += 0.02) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    usleep(20'000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return -1;
}

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
  // Captured output goes through files, so a chatty child can never block on
  // a full pipe while we wait for it.
  char outName[] = "/tmp/kadenzo-out-XXXXXX";
  char errName[] = "/tmp/kadenzo-err-XXXXXX";
  close(mkstemp(outName));
  close(mkstemp(errName));
  std::string outPath = options.stdoutPath.empty() ? outName : options.stdoutPath;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, options.stdinPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, errName, O_WRONLY | O_TRUNC, 0);

  std::vector<char*> args = Arguments(argv);
  std::vector<char*> env = Environment(options.extraEnvironment);

  ProcessResult result;
  pid_t child = 0;
  if (posix_spawnp(&child, args[0], &actions, nullptr, args.data(), env.data()) == 0) {
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = options.stdoutPath.empty() ? ReadFileBytes(outName) : "";
  result.err = ReadFileBytes(errName);
  unlink(outName);
  unlink(errName);
  return result;
}

}  // namespace kadenzo::testing
