// FileError is how opening, reading, writing and closing the score files
// fail. It carries the code and the exact text the user is shown; the window
// adds the closing period when it puts the text in a message box.
#pragma once

#include <stdexcept>
#include <string>

namespace kadenzo {

class FileError : public std::runtime_error {
 public:
  // `text` is the user-facing message without its closing period.
  FileError(int code, const std::string& text) : std::runtime_error(text), code_(code) {}

  // 2 file not found, 3 invalid filename, 4 too many open files, 5 access
  // denied, 101 disk full; any other value is the system's own error number.
  int Code() const { return code_; }

 private:
  int code_;
};

// The failure for a system error `errorNumber` (an errno value) met while
// using `path`. A missing file in an existing folder is "File not found"; a
// missing folder on the way there is "Invalid filename".
FileError FileErrorFor(int errorNumber, const std::string& path);

// The user-facing text for failure `code`, e.g. "Disk full" or "I/O error 71".
std::string FileErrorText(int code);

}  // namespace kadenzo
