#include "score/WholeInput.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "score/FileError.h"
#include "testing/RunProcess.h"
#include "testing/TempDir.h"

namespace kadenzo {
namespace {

// Bytes that are not all alike, so that a piece read twice or left out shows.
std::string Bytes(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 % 251);
  return bytes;
}

TEST(WholeInputTest, ReadsARegularFileFromWhereItStands) {
  struct Case {
    const char* label;
    std::size_t size;
    std::size_t alreadyRead;  // bytes read from the descriptor beforehand
  } cases[] = {
      {"empty file", 0, 0},
      {"one byte", 1, 0},
      {"several pages", 3 * 4096 + 5, 0},
      {"rest of a file after a read", 3 * 4096 + 5, 5},
      {"rest from a page boundary", 3 * 4096 + 5, 4096},
      {"file read to its end", 100, 100},
  };
  testing::TempDir dir;
  for (const Case& c : cases) {
    std::string bytes = Bytes(c.size);
    testing::WriteFileBytes(dir.Path("in"), bytes);
    int fd = open(dir.Path("in").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    std::string skipped(c.alreadyRead, '\0');
    ASSERT_EQ(read(fd, skipped.data(), skipped.size()), static_cast<ssize_t>(c.alreadyRead));

    WholeInput input = ReadWholeInput(fd);
    EXPECT_TRUE(input.text == std::string_view(bytes).substr(c.alreadyRead)) << c.label;
    // Whatever reads the descriptor next finds it at its end.
    char after;
    EXPECT_EQ(read(fd, &after, 1), 0) << c.label;
    close(fd);
  }
}

TEST(WholeInputTest, ReadsAPipeToItsEnd) {
  // More than the first step of reading, so that the buffer has to grow.
  std::string bytes = Bytes(3 << 20);
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  std::thread writer([&] {
    std::string_view rest = bytes;
    while (!rest.empty()) {
      ssize_t written = write(ends[1], rest.data(), rest.size());
      if (written <= 0) break;
      rest.remove_prefix(static_cast<std::size_t>(written));
    }
    close(ends[1]);
  });
  WholeInput input = ReadWholeInput(ends[0]);
  writer.join();
  close(ends[0]);
  EXPECT_TRUE(input.text == bytes) << input.text.size() << " bytes read";
}

TEST(WholeInputTest, TextOutlivesTheDescriptorWhileItsOwnerIsKept) {
  testing::TempDir dir;
  testing::WriteFileBytes(dir.Path("in"), "|Note|Pos:1\r\n");
  int fd = open(dir.Path("in").c_str(), O_RDONLY);
  WholeInput input = ReadWholeInput(fd);
  close(fd);
  std::shared_ptr<const void> owner = std::move(input.owner);
  EXPECT_EQ(input.text, "|Note|Pos:1\r\n");
}

TEST(WholeInputTest, AFolderIsRefused) {
  testing::TempDir dir;
  int fd = open(dir.Path().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  try {
    ReadWholeInput(fd);
    ADD_FAILURE() << "a folder was read";
  } catch (const FileError& error) {
    EXPECT_EQ(error.Code(), 5);
    EXPECT_STREQ(error.what(), "File access denied");
  }
  close(fd);
}

}  // namespace
}  // namespace kadenzo
