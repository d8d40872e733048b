#include "forms/ByteText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace kadenzo::forms {
namespace {

TEST(ByteTextTest, ShowsTextAndPlaceholders) {
  struct Case {
    const char* label;
    std::string bytes;
    QString text;
  } cases[] = {
      {"plain ASCII", "|Note|Pos:-2", "|Note|Pos:-2"},
      {"tab stays a tab", "a\tb", "a\tb"},
      {"UTF-8 lyric", "|Lyric1|Text:\"\xc3\xa9t\xc3\xa9\"",
       QString::fromUtf8("|Lyric1|Text:\"été\"")},
      {"Korean", "\xea\xb0\x80", QString::fromUtf8("가")},
      {"outside the BMP", "\xf0\x9d\x84\x9e", QString::fromUtf8("𝄞")},
      {"NUL and LF", std::string("a\0b\nc", 5), QString::fromUtf8("a␀b␊c")},
      {"DEL", "\x7f", QString::fromUtf8("␡")},
      {"single-byte cp1252", "caf\xe9", QString("caf") + QChar(0xF7E9)},
      {"truncated sequence", "\xe4\xb8", QString(QChar(0xF7E4)) + QChar(0xF7B8)},
      {"paragraph separator", "\xe2\x80\xa9",
       QString(QChar(0xF7E2)) + QChar(0xF780) + QChar(0xF7A9)},
      {"placeholder lookalike", "\xe2\x90\x80",
       QString(QChar(0xF7E2)) + QChar(0xF790) + QChar(0xF780)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BytesToText(c.bytes), c.text) << c.label;
    EXPECT_EQ(TextToBytes(c.text), c.bytes) << c.label;
  }
}

TEST(ByteTextTest, TypedTextIsStoredAsUtf8) {
  EXPECT_EQ(TextToBytes(QString::fromUtf8("Ständchen ♪")), "St\xc3\xa4ndchen \xe2\x99\xaa");
}

TEST(ByteTextTest, EveryByteStringComesBackUnchanged) {
  std::mt19937 random(99);
  for (int round = 0; round < 20'000; ++round) {
    std::string bytes;
    for (std::size_t n = random() % 12; n > 0; --n) {
      // Favour bytes that start or continue UTF-8 sequences.
      auto value = random() % 4 == 0 ? random() % 256 : 0x80 + random() % 0x78;
      bytes += static_cast<char>(value);
    }
    QString text = BytesToText(bytes);
    ASSERT_FALSE(text.contains(QChar(0x2029)) || text.contains(QChar(0x2028)) ||
                 text.contains('\n') || text.contains('\r'));
    ASSERT_EQ(TextToBytes(text), bytes) << "round " << round;
  }
}

}  // namespace
}  // namespace kadenzo::forms
