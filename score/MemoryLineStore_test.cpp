#include "score/MemoryLineStore.h"

#include <gtest/gtest.h>

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
// that every way of moving and growing the gap is exercised.
TEST(MemoryLineStoreTest, MatchesAPlainVectorUnderRandomEdits) {
  std::mt19937 random(20261211);
  MemoryLineStore store;
  std::vector<std::string> model{""};
  for (int step = 0; step < 20'000; ++step) {
    std::string text(random() % 40, static_cast<char>('a' + random() % 26));
    if (step % 1000 == 0) text.assign(300'000, 'L');
    std::size_t index = random() % (model.size() + 1);
    if (random() % 3 == 0 && index < model.size()) {
      store.Set(index, text);
      model[index] = text;
    } else {
      store.InsertAt(index, text);
      model.insert(model.begin() + static_cast<std::ptrdiff_t>(index), text);
    }
  }
  ASSERT_EQ(store.Size(), model.size());
  for (std::size_t i = 0; i < model.size(); ++i) ASSERT_EQ(store.At(i), model[i]) << i;
}

}  // namespace
}  // namespace kadenzo
