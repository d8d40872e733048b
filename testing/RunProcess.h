// Running one of our programs as a separate process in a test, the way a host
// would: given arguments, standard input from a file, and standard output and
// error captured, with the exit status.
#pragma once

#include <string>
#include <vector>

namespace kadenzo::testing {

struct ProcessResult {
  int exitCode = -1;  // -1 when the process did not exit normally
  std::string out;
  std::string err;
};

struct ProcessOptions {
  std::string stdinPath = "/dev/null";
  std::string stdoutPath;  // empty: captured into ProcessResult::out
  std::vector<std::string> extraEnvironment;  // "NAME=value" added to ours
};

// Runs `argv` (argv[0] is the program's path) and waits for it to end.
ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

// The whole content of `path`; the empty string if it cannot be read.
std::string ReadFileBytes(const std::string& path);

// Writes `bytes` to `path`, replacing it.
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace kadenzo::testing
