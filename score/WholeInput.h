// Reading everything a descriptor gives into memory at once, for a program
// that works on a whole clip, such as the filter on its standard input.
//
// A regular file is mapped rather than copied: the system then hands over the
// pages it already holds for the file instead of fresh memory it must clear
// and fill, which on a large clip is most of the time a copy would take.
#pragma once

#include <memory>
#include <string_view>

namespace kadenzo {

struct WholeInput {
  std::string_view text;
  // Keeps `text` alive; whoever holds a copy of it may keep using `text`.
  std::shared_ptr<const void> owner;
};

// Everything that descriptor `fd` gives from where it stands to its end.
// Throws FileError when reading fails (a folder gives "File access denied")
// and std::bad_alloc when there is not enough memory.
//
// A regular file that is mapped must not shrink while the text is in use:
// reading a part the file no longer has raises SIGBUS, so a program that
// cannot rule that out turns the signal into a read failure of its own.
WholeInput ReadWholeInput(int fd);

}  // namespace kadenzo
