// Runs the real kadenzo-filter as a process, as a host would.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

extern char** environ;

#include "testing/RunProcess.h"
#include "testing/TempDir.h"

namespace kadenzo {
namespace {

using testing::ProcessResult;
using testing::RunProcess;

testing::ProcessOptions StdinFrom(const std::string& path, const std::string& stdoutPath = "") {
  testing::ProcessOptions options;
  options.stdinPath = path;
  options.stdoutPath = stdoutPath;
  return options;
}

class FilterTest : public ::testing::Test {
 protected:
  ProcessResult Filter(const std::string& input, const std::string& stdoutPath = "") {
    std::string inPath = dir_.Path("in");
    testing::WriteFileBytes(inPath, input);
    return RunProcess({KADENZO_FILTER}, StdinFrom(inPath, stdoutPath));
  }

  // The same with standard input a pipe, which is read rather than mapped.
  ProcessResult FilterThroughPipe(const std::string& input) {
    std::string inPath = dir_.Path("in");
    testing::WriteFileBytes(inPath, input);
    return RunProcess({"/bin/sh", "-c", "cat \"$0\" | \"$1\"", inPath, KADENZO_FILTER});
  }

  testing::TempDir dir_;
};

TEST_F(FilterTest, CopiesTheFirstBar) {
  struct Case {
    const char* label;
    std::string in;
    std::string out;
  } cases[] = {
      {"CR LF clip",
       "!Clip\r\n|Note|Dur:4th,Staccato|Pos:1\r\n|Bar\r\n|Note|Dur:4th|Pos:3\r\n!End\r\n",
       "!Clip\r\n|Note|Dur:4th,Staccato|Pos:1\r\n|Bar\r\n|Note|Dur:4th,Staccato|Pos:3\r\n!End\r\n"},
      {"LF clip stays LF", "!Clip\n|Note|Dur:4th,Accent|Pos:1\n|Bar\n|Note|Dur:4th|Pos:-3\n!End\n",
       "!Clip\n|Note|Dur:4th,Accent|Pos:1\n|Bar\n|Note|Dur:4th,Accent|Pos:-3\n!End\n"},
      {"last line without line end", "!Clip\r\n|Rest|Dur:4th|Pos:2\r\n|Bar\r\n|Rest|Dur:8th",
       "!Clip\r\n|Rest|Dur:4th|Pos:2\r\n|Bar\r\n|Rest|Dur:4th|Pos:2\r\n"},
  };
  for (const Case& c : cases) {
    for (const ProcessResult& result : {Filter(c.in), FilterThroughPipe(c.in)}) {
      EXPECT_EQ(result.exitCode, 0) << c.label;
      EXPECT_EQ(result.out, c.out) << c.label;
      EXPECT_EQ(result.err, "") << c.label;
    }
  }
}

TEST_F(FilterTest, BundledSampleGivesTheExpectedClip) {
  ProcessResult result = RunProcess(
      {KADENZO_FILTER}, StdinFrom(std::string(KADENZO_EXAMPLES) + "/sample-clip.nwctxt"));
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out,
            testing::ReadFileBytes(std::string(KADENZO_EXAMPLES) + "/sample-clip.expected.nwctxt"));
}

TEST_F(FilterTest, FailuresWriteTheReasonAndExitOne) {
  ProcessResult noBars = Filter("!Clip\r\n|Note|Pos:1\r\n!End\r\n");
  EXPECT_EQ(noBars.exitCode, 1);
  EXPECT_EQ(noBars.out, "");
  EXPECT_EQ(noBars.err, "Not enough bars.\n");

  ProcessResult fullDisk = Filter("!Clip\r\n|Note|Pos:1\r\n|Bar\r\n", "/dev/full");
  EXPECT_EQ(fullDisk.exitCode, 1);
  EXPECT_EQ(fullDisk.err, "Disk full.\n");

  ProcessResult folder = RunProcess({KADENZO_FILTER}, StdinFrom(dir_.Path()));
  EXPECT_EQ(folder.exitCode, 1);
  EXPECT_EQ(folder.err, "File access denied.\n");
}

// 64 MB through a pipe, with room for less than that.
TEST_F(FilterTest, RunningOutOfMemoryIsAFailureNotACrash) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer needs more address space than the limit leaves";
#endif
  ProcessResult noRoom = RunProcess(
      {"/bin/sh", "-c", "ulimit -v 60000; head -c 64000000 /dev/zero | \"$0\"", KADENZO_FILTER});
  EXPECT_EQ(noRoom.exitCode, 1);
  EXPECT_EQ(noRoom.out, "");
  EXPECT_EQ(noRoom.err, "Not enough memory.\n");
}

// Large input comes through whole: a 50 MB clip, and a clip whose lyric is one
// 5 MB line.
TEST_F(FilterTest, LargeClipsComeThroughWhole) {
  std::string clip = "!Clip\r\n|Note|Dur:4th,Staccato|Pos:1\r\n|Bar\r\n";
  std::string copied = clip;
  for (int bar = 0; clip.size() < (50 << 20); ++bar) {
    std::string pos = std::to_string(bar % 17 - 8);
    clip += "|Note|Dur:8th|Pos:" + pos + "\r\n|Bar\r\n";
    copied += "|Note|Dur:4th,Staccato|Pos:" + pos + "\r\n|Bar\r\n";
  }
  std::string lyric = "|Lyric1|Text:\"" + std::string(5 << 20, 'a') + "\"";
  struct Case {
    const char* label;
    std::string in;
    std::string out;
  } cases[] = {
      {"50 MB clip", clip, copied},
      {"5 MB line", "!Clip\r\n" + lyric + "\r\n|Note|Pos:1\r\n|Bar\r\n|Note|Pos:2\r\n",
       "!Clip\r\n" + lyric + "\r\n|Note|Pos:1\r\n|Bar\r\n" + lyric + "\r\n|Note|Pos:2\r\n"},
  };
  for (const Case& c : cases) {
    ProcessResult result = Filter(c.in, dir_.Path("out"));
    EXPECT_EQ(result.exitCode, 0) << c.label;
    std::string written = testing::ReadFileBytes(dir_.Path("out"));
    EXPECT_TRUE(written == c.out) << c.label << ": wrote " << written.size() << " bytes, not the "
                                  << c.out.size() << " expected";
  }
}

// Standard input that is a file is mapped rather than read. Should the file be
// cut short while the filter still needs it, the filter fails as a read does
// instead of crashing. The filter is held up writing to a pipe nobody reads
// yet while the file is cut, so the lines it writes next are gone.
TEST_F(FilterTest, InputCutShortWhileInUseIsAReadFailure) {
  std::string clip = "!Clip\r\n|Note|Pos:1\r\n|Bar\r\n";
  while (clip.size() < (4 << 20)) clip += "|Dynamic|Style:mf|Pos:-8\r\n|Bar\r\n";
  std::string inPath = dir_.Path("in");
  std::string errPath = dir_.Path("err");
  testing::WriteFileBytes(inPath, clip);

  int output[2];
  ASSERT_EQ(pipe(output), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, output[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT, 0600);
  posix_spawn_file_actions_addclose(&actions, output[0]);
  char program[] = KADENZO_FILTER;
  char* argv[] = {program, nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program, &actions, nullptr, argv, environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(output[1]);

  // The first byte comes once the filter has the whole input and is writing.
  char buffer[1 << 16];
  ASSERT_EQ(read(output[0], buffer, 1), 1);
  ASSERT_EQ(truncate(inPath.c_str(), 0), 0);
  while (read(output[0], buffer, sizeof buffer) > 0) {
  }
  close(output[0]);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(testing::ReadFileBytes(errPath), "I/O error 5.\n");
}

TEST_F(FilterTest, CommandLine) {
  struct Case {
    const char* arg;
    int exitCode;
    const char* outStart;
    const char* errStart;
  } cases[] = {
      {"--help", 0, "Usage: kadenzo-filter", ""},
      {"--version", 0, "kadenzo-filter 0.1.0\n", ""},
      {"--bogus", 2, "", "kadenzo-filter: unexpected argument '--bogus'\nUsage:"},
      {"in.txt", 2, "", "kadenzo-filter: unexpected argument 'in.txt'\nUsage:"},
  };
  for (const Case& c : cases) {
    ProcessResult result = RunProcess({KADENZO_FILTER, c.arg});
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arg;
    EXPECT_EQ(result.out.rfind(c.outStart, 0), 0u) << c.arg << ": " << result.out;
    EXPECT_EQ(result.err.rfind(c.errStart, 0), 0u) << c.arg << ": " << result.err;
  }
}

}  // namespace
}  // namespace kadenzo
