#include "testing/RunProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

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
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_TRUNC, 0);
  posix_spawn_file_actions_addopen(&actions, 2, errName, O_WRONLY | O_TRUNC, 0);

  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  std::vector<char*> env;
  for (char** e = environ; *e != nullptr; ++e) env.push_back(*e);
  for (const std::string& extra : options.extraEnvironment) {
    env.push_back(const_cast<char*>(extra.c_str()));
  }
  env.push_back(nullptr);

  ProcessResult result;
  pid_t child = 0;
  if (posix_spawn(&child, args[0], &actions, nullptr, args.data(), env.data()) == 0) {
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
