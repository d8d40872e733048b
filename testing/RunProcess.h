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
  std::string stdoutPath;                     // empty: captured into ProcessResult::out
  std::vector<std::string> extraEnvironment;  // "NAME=value" added to ours
};

// Runs `argv` (argv[0] is the program's path) and waits for it to end.
ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

// Starts `argv` without waiting; standard input, output and error are
// /dev/null. Returns the process id, or -1 when it could not be started.
int StartProcess(const std::vector<std::string>& argv,
                 const std::vector<std::string>& extraEnvironment = {});

// Waits up to `seconds` for process `pid` to end and returns its exit status;
// a process still running then is killed and -1 returned.
int WaitProcess(int pid, double seconds);

// The whole content of `path`; the empty string if it cannot be read.
std::string ReadFileBytes(const std::string& path);

// Writes `bytes` to `path`, replacing it.
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace kadenzo::testing
