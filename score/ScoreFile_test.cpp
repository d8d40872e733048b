#include "score/ScoreFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "score/FileError.h"
#include "score/MemoryLineStore.h"
#include "testing/RunProcess.h"
#include "testing/TempDir.h"

namespace kadenzo {
namespace {

namespace fs = std::filesystem;

using testing::ReadFileBytes;
using testing::WriteFileBytes;

class ScoreFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_.Path(name); }

  // Loads `bytes` from a file and writes the lines straight back out.
  std::string RoundTrip(const std::string& bytes) {
    WriteFileBytes(Path("in"), bytes);
    MemoryLineStore store;
    LineList lines(store);
    LoadInput(Path("in"), lines);
    WriteOutput(Path("out"), lines);
    return ReadFileBytes(Path("out"));
  }

  testing::TempDir dir_;
};

// The error text `action` fails with, or "" when it succeeds. Run as an
// ordinary user (a child process that gives up root), because root passes
// through the permission checks these tests are about.
std::string FailureAsUser(const std::function<void()>& action) {
  auto run = [&]() -> std::string {
    try {
      action();
      return "";
    } catch (const FileError& error) {
      return error.what();
    }
  };
  if (geteuid() != 0) return run();
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return "pipe failed";
  pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    std::string text = "setuid failed";
    if (setgid(65534) == 0 && setuid(65534) == 0) text = run();
    ssize_t ignored = write(pipeEnds[1], text.data(), text.size());
    (void)ignored;
    _exit(0);
  }
  close(pipeEnds[1]);
  std::string text;
  char buffer[256];
  for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(got));
  }
  close(pipeEnds[0]);
  waitpid(child, nullptr, 0);
  return text;
}

TEST_F(ScoreFileTest, RoundTripsByTheReadingRules) {
  struct Case {
    const char* label;
    std::string in;
    std::string out;
  } cases[] = {
      {"CR LF file comes back byte for byte", "!Clip\r\n|Note|Pos:1\r\n|Bar\r\n",
       "!Clip\r\n|Note|Pos:1\r\n|Bar\r\n"},
      {"last line gains its CR LF", "A\r\nB", "A\r\nB\r\n"},
      {"LF-only file is one line", "A\nB\n", "A\nB\n\r\n"},
      {"lone CR becomes CR LF", "A\rB", "A\r\nB\r\n"},
      {"Ctrl-Z ends the input",
       "A\r\nB\x1a"
       "C\r\n",
       "A\r\nB\r\n"},
      {"empty line kept", "A\r\n\r\n", "A\r\n\r\n"},
      {"empty file", "", ""},
      {"NUL and bytes 128-255 kept", std::string("\0\x80\xfe\xff\r\n", 6),
       std::string("\0\x80\xfe\xff\r\n", 6)},
  };
  for (const Case& c : cases) EXPECT_EQ(RoundTrip(c.in), c.out) << c.label;
}

TEST_F(ScoreFileTest, KeepsAMegabyteLineWhole) {
  std::string line(1 << 20, 'x');
  line += "|Lyric1|Text:\"end\"";
  EXPECT_EQ(RoundTrip("!Clip\r\n" + line + "\r\n"), "!Clip\r\n" + line + "\r\n");
}

// What is written must be what the reading rules predict for any bytes. The
// prediction here walks the bytes one at a time, apart from the reader.
TEST_F(ScoreFileTest, RandomBytesComeBackAsTheRulesPredict) {
  std::mt19937 random(7);
  const char alphabet[] = {'A', 'b', '|', '\r', '\n', '\x1a', '\0', '\xff'};
  for (int round = 0; round < 300; ++round) {
    std::string in;
    for (std::size_t n = random() % 60; n > 0; --n) in += alphabet[random() % sizeof alphabet];
    std::string expected;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < in.size() && in[i] != '\x1a'; ++i) {
      if (in[i] == '\r') {
        expected += line + "\r\n";
        line.clear();
        open = false;
        if (i + 1 < in.size() && in[i + 1] == '\n') ++i;
      } else {
        line += in[i];
        open = true;
      }
    }
    if (open) expected += line + "\r\n";
    ASSERT_EQ(RoundTrip(in), expected) << "round " << round;
  }
}

TEST_F(ScoreFileTest, LoadFailures) {
  fs::create_directory(Path("folder"));
  struct Case {
    const char* label;
    std::string path;
    const char* text;
  } cases[] = {
      {"missing file", Path("missing"), "File not found"},
      {"missing folder", Path("nowhere/in"), "Invalid filename"},
      {"a folder", Path("folder"), "File access denied"},
      {"empty path", "", "File not found"},
  };
  for (const Case& c : cases) {
    MemoryLineStore store;
    LineList lines(store);
    try {
      LoadInput(c.path, lines);
      ADD_FAILURE() << c.label << ": no failure";
    } catch (const FileError& error) {
      EXPECT_STREQ(error.what(), c.text) << c.label;
    }
    EXPECT_EQ(lines.Count(), 0) << c.label;
  }
}

TEST_F(ScoreFileTest, UnreadableInputIsAccessDenied) {
  WriteFileBytes(Path("in"), "A\r\n");
  chmod(Path("in").c_str(), 0);
  EXPECT_EQ(FailureAsUser([&] {
              MemoryLineStore store;
              LineList lines(store);
              LoadInput(Path("in"), lines);
            }),
            "File access denied");
}

TEST_F(ScoreFileTest, WriteFailuresLeaveNothingBehind) {
  MemoryLineStore store = MemoryLineStore::FromBuffer("A\r\n");
  LineList lines(store);
  fs::create_directory(Path("folder"));
  struct Case {
    const char* label;
    std::string path;
    const char* text;
  } cases[] = {
      {"missing folder", Path("nowhere/out"), "Invalid filename"},
      {"a folder", Path("folder"), "File access denied"},
      {"full disk", "/dev/full", "Disk full"},
  };
  for (const Case& c : cases) {
    try {
      WriteOutput(c.path, lines);
      ADD_FAILURE() << c.label << ": no failure";
    } catch (const FileError& error) {
      EXPECT_STREQ(error.what(), c.text) << c.label;
    }
  }
  EXPECT_TRUE(fs::is_empty(Path("folder")));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator()), 1);
}

TEST_F(ScoreFileTest, ReadOnlyFolderKeepsTheOldOutput) {
  fs::create_directory(Path("ro"));
  WriteFileBytes(Path("ro/out"), "old\r\n");
  fs::permissions(Path("ro"), fs::perms::owner_read | fs::perms::owner_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
  MemoryLineStore store = MemoryLineStore::FromBuffer("new\r\n");
  LineList lines(store);
  EXPECT_EQ(FailureAsUser([&] { WriteOutput(Path("ro/out"), lines); }), "File access denied");
  EXPECT_EQ(ReadFileBytes(Path("ro/out")), "old\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(Path("ro")), fs::directory_iterator()), 1);
}

TEST_F(ScoreFileTest, ReplacingAnOutputKeepsItsPermissions) {
  WriteFileBytes(Path("out"), "old old old\r\n");
  fs::permissions(Path("out"),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  MemoryLineStore store = MemoryLineStore::FromBuffer("new\r\n");
  LineList lines(store);
  WriteOutput(Path("out"), lines);
  EXPECT_EQ(ReadFileBytes(Path("out")), "new\r\n");
  EXPECT_EQ(fs::status(Path("out")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ScoreFileTest, OutputThroughASymbolicLinkKeepsTheLink) {
  fs::create_directory(Path("real"));
  WriteFileBytes(Path("real/target"), "old\r\n");
  fs::create_symlink("real/target", Path("link"));
  MemoryLineStore store = MemoryLineStore::FromBuffer("new\r\n");
  LineList lines(store);
  WriteOutput(Path("link"), lines);
  EXPECT_TRUE(fs::is_symlink(Path("link")));
  EXPECT_EQ(ReadFileBytes(Path("real/target")), "new\r\n");
}

TEST_F(ScoreFileTest, DeleteInputIsSilent) {
  WriteFileBytes(Path("in"), "A");
  DeleteInput(Path("in"));
  EXPECT_FALSE(fs::exists(Path("in")));
  DeleteInput(Path("in"));
  DeleteInput(Path("nowhere/in"));
  fs::create_directory(Path("folder"));
  DeleteInput(Path("folder"));
  EXPECT_TRUE(fs::exists(Path("folder")));
}

TEST_F(ScoreFileTest, SameFileForInputAndOutputKeepsTheResult) {
  WriteFileBytes(Path("clip"), "A\r\n");
  fs::create_symlink("clip", Path("alias"));
  struct Case {
    const char* label;
    std::string input;
    std::string output;
  } cases[] = {
      {"same spelling", Path("clip"), Path("clip")},
      {"other spelling", Path("clip"), dir_.Path() + "/./clip"},
      {"output is a link to the input", Path("clip"), Path("alias")},
  };
  for (const Case& c : cases) {
    MemoryLineStore store;
    LineList lines(store);
    LoadInput(c.input, lines);
    lines.Add("B");
    WriteOutput(c.output, lines);
    DeleteInput(c.input, c.output);
    EXPECT_EQ(ReadFileBytes(Path("clip")), "A\r\nB\r\n") << c.label;
    WriteFileBytes(Path("clip"), "A\r\n");
  }

  WriteFileBytes(Path("out"), "");
  DeleteInput(Path("clip"), Path("out"));
  EXPECT_FALSE(fs::exists(Path("clip")));
}

}  // namespace
}  // namespace kadenzo
