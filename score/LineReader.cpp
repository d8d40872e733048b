#include "score/LineReader.h"

namespace kadenzo {

namespace {
constexpr char kCtrlZ = 26;
}

bool LineReader::Feed(std::string_view bytes) {
  if (ended_) return false;
  std::size_t start = 0;
  if (skipLf_ && !bytes.empty()) {
    skipLf_ = false;
    if (lineEnd_ == '\r' && bytes[0] == '\n') start = 1;
  }
  for (std::size_t at = start; at < bytes.size(); ++at) {
    char c = bytes[at];
    if (c != lineEnd_ && c != kCtrlZ) continue;
    std::string_view piece = bytes.substr(start, at - start);
    if (c == kCtrlZ) {
      pending_ += piece;
      Finish();
      ended_ = true;
      return false;
    }
    if (pending_.empty()) {
      lines_.Add(piece);
    } else {
      pending_ += piece;
      lines_.Add(pending_);
      pending_.clear();
    }
    start = at + 1;
    if (lineEnd_ == '\r') {
      if (start == bytes.size()) {
        skipLf_ = true;
      } else if (bytes[start] == '\n') {
        ++start;
        ++at;
      }
    }
  }
  pending_ += bytes.substr(start);
  return true;
}

void LineReader::Finish() {
  if (ended_) return;
  if (!pending_.empty()) lines_.Add(pending_);
  pending_.clear();
  ended_ = true;
}

}  // namespace kadenzo
