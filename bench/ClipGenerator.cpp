#include "bench/ClipGenerator.h"

#include <fstream>
#include <random>
#include <set>

namespace kadenzo::bench {

std::string GenerateClip(std::size_t lineCount) {
  std::mt19937 random(1234);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const char* durations[] = {"4th", "8th", "16th", "Half", "4th,Dotted"};
  std::string clip = "!NoteWorthyComposerClip(2.75,Single)\r\n";
  clip +=
      "|Dynamic|Style:mf|Pos:-8\r\n"
      "|Text|Text:\"dolce\"|Font:StaffItalic|Pos:8|Justify:Left\r\n"
      "|Note|Dur:8th,Staccato|Pos:-2|Opts:Stem=Up,Beam=First\r\n"
      "|Note|Dur:8th,Staccato|Pos:-1|Opts:Stem=Up,Beam=End\r\n"
      "|Chord|Dur:4th,Accent|Pos:-4,-2,0|Opts:Stem=Down\r\n"
      "|Rest|Dur:4th|Opts:VertOffset=-2\r\n"
      "|Bar\r\n";
  std::size_t lines = 8;
  while (lines + 10 < lineCount) {
    for (int item = 4 + pick(5); item > 0; --item, ++lines) {
      int roll = pick(20);
      const char* dur = durations[pick(5)];
      std::string pos = std::to_string(pick(17) - 8);
      if (roll < 13) {
        clip += "|Note|Dur:" + std::string(dur) + "|Pos:" + pos + "|Opts:Stem=Up,Lyric=Never\r\n";
      } else if (roll < 16) {
        clip += "|Chord|Dur:" + std::string(dur) + "|Pos:" + pos + ",#" + std::to_string(pick(8)) +
                ",b9|Opts:Stem=Down\r\n";
      } else if (roll < 19) {
        clip += "|Rest|Dur:" + std::string(dur) + "\r\n";
      } else {
        clip += "|Dynamic|Style:p|Pos:-7\r\n";
      }
    }
    clip += "|Bar\r\n";
    ++lines;
  }
  clip += "!NoteWorthyComposerClip-End\r\n";
  return clip;
}

std::string ClipFile(std::size_t lineCount) {
  static std::set<std::size_t> written;
  std::string path = "/tmp/kadenzo-bench-clip-" + std::to_string(lineCount) + ".nwctxt";
  if (written.insert(lineCount).second) {
    std::ofstream(path, std::ios::binary) << GenerateClip(lineCount);
  }
  return path;
}

}  // namespace kadenzo::bench
