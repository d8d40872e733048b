// The line list against a deliberately naive model of the same rules: a plain
// string buffer, split at CR LF every time it is asked anything. The fuzz
// input is read as a sequence of operations.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "score/LineList.h"
#include "score/MemoryLineStore.h"

namespace {

using Index = kadenzo::LineList::Index;

class NaiveBuffer {
 public:
  Index Count() const {
    std::vector<std::string> lines = Physical();
    return static_cast<Index>(lines.size()) - (lines.back().empty() ? 1 : 0);
  }
  std::string Get(Index i) const {
    std::vector<std::string> lines = Physical();
    return Exists(i) ? lines[static_cast<std::size_t>(i)] : "";
  }
  void Put(Index i, const std::string& s) {
    if (!Exists(i)) return;
    buffer_.replace(Start(i), Get(i).size(), s);
  }
  void Insert(Index i, const std::string& s) {
    if (i < 0) return;
    if (Exists(i)) {
      buffer_.insert(Start(i), s + "\r\n");
    } else if (Exists(i - 1) && !Get(i - 1).empty()) {
      buffer_.insert(Start(i - 1) + Get(i - 1).size(), "\r\n" + s);
    }
  }
  void Add(const std::string& s) { Insert(Count(), s); }
  const std::string& Buffer() const { return buffer_; }

 private:
  std::vector<std::string> Physical() const {
    std::vector<std::string> lines(1);
    for (std::size_t at = 0; at < buffer_.size(); ++at) {
      if (buffer_.compare(at, 2, "\r\n") == 0) {
        lines.emplace_back();
        ++at;
      } else {
        lines.back() += buffer_[at];
      }
    }
    return lines;
  }
  bool Exists(Index i) const { return i >= 0 && static_cast<std::size_t>(i) < Physical().size(); }
  std::size_t Start(Index i) const {
    std::size_t at = 0;
    for (Index line = 0; line < i; ++line) at = buffer_.find("\r\n", at) + 2;
    return at;
  }

  std::string buffer_;
};

void Check(bool holds, const char* what) {
  if (!holds) {
    std::fprintf(stderr, "differs from the model: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const char* const kTexts[] = {"", "A", "|Bar", "\r", "\n", "\r\n", "x\r\ny", "\r\r\n\n"};
  kadenzo::MemoryLineStore store;
  kadenzo::LineList lines(store);
  NaiveBuffer model;
  for (std::size_t at = 0; at + 2 < size && at < 3 * 200; at += 3) {
    Index index = static_cast<Index>(data[at + 1] % 12) - 2;
    std::string text = kTexts[data[at + 2] % 8];
    switch (data[at] % 4) {
      case 0:
        lines.Put(index, text), model.Put(index, text);
        break;
      case 1:
        lines.Insert(index, text), model.Insert(index, text);
        break;
      case 2:
        lines.Add(text), model.Add(text);
        break;
      default:
        Check(lines.Get(index) == model.Get(index), "Get");
        break;
    }
    Check(lines.Count() == model.Count(), "Count");
  }
  Check(store.Buffer() == model.Buffer(), "buffer");
  return 0;
}
