// Realistic score clips of any size for the benchmarks: notes with several
// fields, chords, rests and other items, bar lines every 4 to 8 items, and a
// first bar that starts with two items that are not notes.
#pragma once

#include <cstddef>
#include <string>

namespace kadenzo::bench {

// A clip of about `lineCount` lines with CR LF line ends, the same for the
// same count.
std::string GenerateClip(std::size_t lineCount);

// The path of a file under /tmp holding GenerateClip(lineCount), written the
// first time this process asks for it.
std::string ClipFile(std::size_t lineCount);

}  // namespace kadenzo::bench
