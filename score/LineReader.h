// LineReader splits incoming score text into lines and adds them to a line
// list. It takes the bytes in pieces, so a file of any size is read without
// holding it whole, and it keeps every byte value as it is.
//
// The rules: a line ends at CR, and a LF right after that CR belongs to the
// line end; any other LF is an ordinary character. A Ctrl-Z (26) ends the
// input wherever it stands. The end of the input ends a last line that has no
// line end, and a line end at the very end does not start a further, empty
// line. Lines have no length limit.
#pragma once

#include <string>
#include <string_view>

#include "score/LineList.h"

namespace kadenzo {

class LineReader {
 public:
  enum class LineEnd {
    kCr,  // CR or CR LF ends a line (score files)
    kLf,  // LF ends a line; used for text that holds no CR at all
  };

  // `lines` must outlive the reader; every line read is appended with AddLine;
  // a line read never holds a CR LF.
  explicit LineReader(LineList& lines, LineEnd lineEnd = LineEnd::kCr)
      : lines_(lines), lineEnd_(lineEnd == LineEnd::kCr ? '\r' : '\n') {}

  // Reads the next piece of the input. Returns false once a Ctrl-Z has ended
  // the input; the rest of `bytes` and anything fed afterwards is ignored.
  bool Feed(std::string_view bytes);

  // Ends the input: a last line without a line end is added now.
  void Finish();

 private:
  bool FeedWindow(std::string_view bytes);

  LineList& lines_;
  char lineEnd_;
  std::string pending_;  // the start of a line that continues in the next piece
  bool skipLf_ = false;  // a CR ended the previous piece
  bool ended_ = false;
};

}  // namespace kadenzo
