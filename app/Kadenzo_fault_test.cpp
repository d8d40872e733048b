// The real Kadenzo program against real faults on the disk. Each test checks
// what reached the disk: never a half-written output, and the input kept
// unless the tool finished by OK, Cancel or "Not enough bars.".
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <filesystem>
#include <string>

#include "app/KadenzoProcessTest.h"

namespace kadenzo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::WaitProcess;
using testing::WriteFileBytes;

// The failure box is captioned with the program's title.
const char* const kFailureTitle = "Kadenzo";

// A small file system of our own, mounted over a folder for one test; only
// where the system lets us mount.
class SmallFileSystem {
 public:
  SmallFileSystem(const std::string& folder, const char* options) : folder_(folder) {
    fs::create_directories(folder);
    mounted_ = mount("tmpfs", folder.c_str(), "tmpfs", 0, options) == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) umount(folder_.c_str());
  }
  bool Mounted() const { return mounted_; }

 private:
  std::string folder_;
  bool mounted_ = false;
};

class KadenzoFaultTest : public KadenzoProcessTest {
 protected:
  // Copy, then OK; the write fails; the failure box is dismissed and the
  // window left open with the input (`clip`) in place; then Cancel ends the
  // tool. `failure` is what the failure box says.
  void ExpectWriteFailureThenCancel(const std::string& output, const std::string& failure,
                                    const std::string& clip = kClip) {
    int kadenzo = Start({input_, output});
    ASSERT_TRUE(Type(kMainTitle, {"Return", "Return"}));
    ASSERT_TRUE(Type(kFailureTitle, {})) << "no failure box";
    EXPECT_EQ(Alerts(), failure);
    ASSERT_TRUE(Type(kFailureTitle, {"Return"}));
    EXPECT_TRUE(ReadFileBytes(input_) == clip) << "the input changed";
    ASSERT_TRUE(Type(kMainTitle, {"Tab", "space"}));  // from OK to Cancel
    EXPECT_EQ(WaitProcess(kadenzo, 30), 0);
    EXPECT_FALSE(fs::exists(input_));
  }
};

TEST_F(KadenzoFaultTest, FullDiskLeavesNoOutput) {
  SmallFileSystem disk(dir_.Path("disk"), "size=16k");
  if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small file system here";
  WriteFileBytes(dir_.Path("disk/filler"), std::string(8 * 1024, 'f'));
  std::string big = "!Clip\r\n|Note|Pos:1\r\n|Bar\r\n";
  while (big.size() < 64 * 1024) big += "|Note|Dur:4th|Pos:2\r\n";
  WriteFileBytes(input_, big);
  ExpectWriteFailureThenCancel(dir_.Path("disk/out.nwctxt"), "Kadenzo: Disk full.\n", big);
  EXPECT_EQ(fs::directory_iterator(dir_.Path("disk"))->path().filename(), "filler");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path("disk")), fs::directory_iterator()), 1);
}

TEST_F(KadenzoFaultTest, ReadOnlyFolderKeepsTheOldOutput) {
  SmallFileSystem disk(dir_.Path("ro"), "size=64k");
  if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small file system here";
  WriteFileBytes(dir_.Path("ro/out.nwctxt"), "old\r\n");
  ASSERT_EQ(mount("tmpfs", dir_.Path("ro").c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
  ExpectWriteFailureThenCancel(dir_.Path("ro/out.nwctxt"), "Kadenzo: File access denied.\n");
  EXPECT_EQ(ReadFileBytes(dir_.Path("ro/out.nwctxt")), "old\r\n");
}

TEST_F(KadenzoFaultTest, OutputFolderRemovedWhileTheWindowIsOpen) {
  fs::create_directory(dir_.Path("gone"));
  int kadenzo = Start({input_, dir_.Path("gone/out.nwctxt")});
  ASSERT_TRUE(Type(kMainTitle, {}));
  fs::remove(dir_.Path("gone"));
  ASSERT_TRUE(Type(kMainTitle, {"Return", "Return"}));
  ASSERT_TRUE(Type(kFailureTitle, {})) << "no failure box";
  EXPECT_EQ(Alerts(), "Kadenzo: Invalid filename.\n");
  ASSERT_TRUE(Type(kFailureTitle, {"Return"}));
  EXPECT_FALSE(fs::exists(dir_.Path("gone")));
  EXPECT_EQ(ReadFileBytes(input_), kClip);
  // The user makes the folder again and presses OK once more.
  fs::create_directory(dir_.Path("gone"));
  ASSERT_TRUE(Type(kMainTitle, {"Return"}));
  EXPECT_EQ(WaitProcess(kadenzo, 30), 0);
  EXPECT_EQ(ReadFileBytes(dir_.Path("gone/out.nwctxt")), kCopied);
  EXPECT_FALSE(fs::exists(input_));
}

TEST_F(KadenzoFaultTest, InputRemovedBeforeCancel) {
  int kadenzo = Start({input_, output_});
  ASSERT_TRUE(Type(kMainTitle, {}));
  fs::remove(input_);
  ASSERT_TRUE(Type(kMainTitle, {"Tab", "Tab", "Tab", "space"}));
  EXPECT_EQ(WaitProcess(kadenzo, 30), 0);
  EXPECT_FALSE(fs::exists(output_));
}

TEST_F(KadenzoFaultTest, SameFileForInputAndOutputKeepsTheResult) {
  int kadenzo = Start({input_, dir_.Path("./in.nwctxt")});
  ASSERT_TRUE(Type(kMainTitle, {"Return", "Return"}));
  EXPECT_EQ(WaitProcess(kadenzo, 30), 0);
  EXPECT_EQ(ReadFileBytes(input_), kCopied);
}

TEST_F(KadenzoFaultTest, SymbolicLinkOutputStaysALink) {
  fs::create_directory(dir_.Path("real"));
  WriteFileBytes(dir_.Path("real/target"), "old\r\n");
  fs::create_symlink("real/target", dir_.Path("link"));
  int kadenzo = Start({input_, dir_.Path("link")});
  ASSERT_TRUE(Type(kMainTitle, {"Return", "Return"}));
  EXPECT_EQ(WaitProcess(kadenzo, 30), 0);
  EXPECT_TRUE(fs::is_symlink(dir_.Path("link")));
  EXPECT_EQ(ReadFileBytes(dir_.Path("real/target")), kCopied);
}

TEST_F(KadenzoFaultTest, FiveMegabyteLineComesBackWhole) {
  std::string lyric = "|Lyric1|Text:\"" + std::string(5 << 20, 'a') + "\"";
  WriteFileBytes(input_, "!Clip\r\n" + lyric + "\r\n|Note|Pos:1\r\n|Bar\r\n|Note|Pos:2\r\n");
  int kadenzo = Start({input_, output_});
  ASSERT_TRUE(Type(kMainTitle, {"Return", "Return"}));
  EXPECT_EQ(WaitProcess(kadenzo, 60), 0);
  std::string expected =
      "!Clip\r\n" + lyric + "\r\n|Note|Pos:1\r\n|Bar\r\n" + lyric + "\r\n|Note|Pos:2\r\n";
  std::string written = ReadFileBytes(output_);
  EXPECT_TRUE(written == expected)
      << "wrote " << written.size() << " bytes, not the " << expected.size() << " expected";
}

}  // namespace
}  // namespace kadenzo
