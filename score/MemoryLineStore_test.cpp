#include "score/MemoryLineStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace kadenzo {
namespace {

TEST(MemoryLineStoreTest, BufferRoundTrips) {
  for (const char* buffer : {"", "\r\n", "A", "A\r\n", "A\r\rB\n\r\n\r\nC"}) {
    EXPECT_EQ(MemoryLineStore::FromBuffer(buffer).Buffer(), buffer) << buffer;
  }
}

// Random sets and inserts at random places, checked against a plain vector, so
// that every way of moving and growing the gap is exercised. The texts repeat
// a lot, as score lines do, so many of them share their text.
TEST(MemoryLineStoreTest, MatchesAPlainVectorUnderRandomEdits) {
  struct Case {
    const char* label;
    std::size_t reserved;  // lines reserved before the edits
  } cases[] = {
      {"growing as it goes", 0},
      {"room for more lines than are ever added", 100'000},
  };
  for (const Case& c : cases) {
    std::mt19937 random(20261211);
    MemoryLineStore store;
    store.Reserve(c.reserved);
    std::vector<std::string> model{""};
    for (int step = 0; step < 20'000; ++step) {
      std::string text(random() % 40, static_cast<char>('a' + random() % 26));
      if (step % 1000 == 0) text.assign(300'000, 'L');
      // Now and then an edit near the start, so that most lines cross the gap.
      std::size_t index = step % 500 == 0 ? random() % 8 : random() % (model.size() + 1);
      index = std::min(index, model.size());
      if (random() % 3 == 0 && index < model.size()) {
        store.Set(index, text);
        model[index] = text;
      } else {
        store.InsertAt(index, text);
        model.insert(model.begin() + static_cast<std::ptrdiff_t>(index), text);
      }
    }
    ASSERT_EQ(store.Size(), model.size()) << c.label;
    for (std::size_t i = 0; i < model.size(); ++i)
      ASSERT_EQ(store.At(i), model[i]) << c.label << ", line " << i;
  }
}

// Lines of every length come back whole, whether kept from an adopted text
// or copied, around the lengths where the way a line is kept changes.
TEST(MemoryLineStoreTest, KeepsLinesOfEveryLength) {
  for (std::size_t size : {1u, 255u, 256u, 257u, 40'000u, 65'534u, 65'535u, 65'536u, 300'000u}) {
    auto owner = std::make_shared<std::string>(size, 'a');
    for (std::size_t i = 0; i < size; ++i) (*owner)[i] = static_cast<char>('a' + i % 26);
    std::string_view adopted = *owner;
    std::string copied(adopted);
    MemoryLineStore store;
    store.Adopt(adopted, owner);
    store.Set(0, adopted);
    store.InsertAt(1, copied);
    store.InsertAt(2, copied);
    copied.assign(size, 'x');
    for (std::size_t line = 0; line < 3; ++line) {
      EXPECT_TRUE(store.At(line) == adopted) << size << " bytes, line " << line;
    }
  }
}

TEST(MemoryLineStoreTest, ARepeatedShortLineSharesItsText) {
  std::string note = "|Note|Dur:4th,Staccato|Pos:-2";
  std::string lyric = "|Lyric1|Text:\"" + std::string(1000, 'a') + "\"";
  MemoryLineStore store;
  for (int i = 0; i < 2; ++i) {
    store.InsertAt(0, lyric);
    store.InsertAt(0, note);
  }
  ASSERT_EQ(store.At(0), note);
  EXPECT_EQ(store.At(0).data(), store.At(2).data());
  // A long line seldom repeats and is kept as it comes.
  ASSERT_EQ(store.At(1), lyric);
  EXPECT_NE(store.At(1).data(), store.At(3).data());
}

// A line kept from an adopted text is not copied; one from elsewhere is.
TEST(MemoryLineStoreTest, AdoptedTextIsKeptInPlace) {
  auto owner = std::make_shared<std::string>("|Note|Pos:1|Bar");
  std::string_view text = *owner;
  MemoryLineStore store;
  store.Adopt(text, owner);
  store.Set(0, text.substr(0, 11));
  store.InsertAt(1, std::string(text.substr(11)));
  owner.reset();
  EXPECT_EQ(store.At(0).data(), text.data());
  EXPECT_EQ(store.At(0), "|Note|Pos:1");
  EXPECT_EQ(store.At(1), "|Bar");
}

}  // namespace
}  // namespace kadenzo
