#include "score/LineReader.h"

#include <algorithm>

namespace kadenzo {

namespace {
constexpr char kCtrlZ = 26;
// Small enough to stay in the processor's cache between the two searches.
constexpr std::size_t kWindow = std::size_t{128} << 10;
}  // namespace

bool LineReader::Feed(std::string_view bytes) {
  // A large input is taken a window at a time, so that the search for a
  // Ctrl-Z and the split into lines read the same bytes while they are still
  // in the cache, instead of each reading the whole input from memory.
  while (bytes.size() > kWindow) {
    if (!FeedWindow(bytes.substr(0, kWindow))) return false;
    bytes.remove_prefix(kWindow);
  }
  return FeedWindow(bytes);
}

bool LineReader::FeedWindow(std::string_view bytes) {
  if (ended_) return false;
  std::size_t start = 0;
  if (skipLf_ && !bytes.empty()) {
    skipLf_ = false;
    if (lineEnd_ == '\r' && bytes[0] == '\n') start = 1;
  }
  // Everything from a Ctrl-Z on is not read; the lines before it are split
  // with a fast search for the line end alone.
  std::size_t stop = bytes.find(kCtrlZ, start);
  std::string_view text = bytes.substr(0, stop);
  for (std::size_t at = text.find(lineEnd_, start); at != std::string_view::npos;
       at = text.find(lineEnd_, start)) {
    std::string_view piece = text.substr(start, at - start);
    if (pending_.empty()) {
      lines_.AddLine(piece);
    } else {
      pending_ += piece;
      lines_.AddLine(pending_);
      pending_.clear();
    }
    start = at + 1;
    if (lineEnd_ == '\r') {
      if (start == bytes.size()) {
        skipLf_ = true;
      } else if (bytes[start] == '\n') {
        ++start;
      }
    }
  }
  pending_ += text.substr(std::min(start, text.size()));
  if (stop != std::string_view::npos) {
    Finish();
    return false;
  }
  return true;
}

void LineReader::Finish() {
  if (ended_) return;
  if (!pending_.empty()) lines_.AddLine(pending_);
  pending_.clear();
  ended_ = true;
}

}  // namespace kadenzo
