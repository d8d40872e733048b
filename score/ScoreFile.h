// Moving the score text between the files the host hands over and a line
// list: loading the input file, writing the output file and deleting the
// input file. Paths are used exactly as given. Failures throw FileError.
#pragma once

#include <string>
#include <string_view>

#include "score/LineList.h"

namespace kadenzo {

// Reads the file `inputPath` by the LineReader rules and appends its lines to
// `lines` with Add. Throws FileError if the file cannot be opened (it must
// exist and be a regular file or a device, not a folder) or read; the lines
// appended before a read failure stay in `lines`.
void LoadInput(const std::string& inputPath, LineList& lines);

// Writes every line of `lines`, each followed by CR LF, to `outputPath`; an
// empty list gives an empty file. The new content is written beside the
// output and then put in its place, so the output is either the old file (or
// absent) or the whole new content, never half of it. An existing output keeps
// its permissions, and a symbolic link stays a link with its target receiving
// the content. A path that names a device (such as a terminal) is written
// directly. Throws FileError on any failure, with the output left as it was.
void WriteOutput(const std::string& outputPath, const LineList& lines);

// Writes every line of `lines`, each followed by `lineEnd`, to the open file
// descriptor `fd`. `path` only names the file in a FileError.
void WriteLines(int fd, const LineList& lines, std::string_view lineEnd, const std::string& path);

// Deletes the file `inputPath`. Never reports anything: a missing or locked
// file is left as it is, silently.
void DeleteInput(const std::string& inputPath);

// As DeleteInput, except that nothing is deleted when `inputPath` now names
// the same file as `keptPath`, so that confirming with the same file as input
// and output keeps the result just written.
void DeleteInput(const std::string& inputPath, const std::string& keptPath);

}  // namespace kadenzo
