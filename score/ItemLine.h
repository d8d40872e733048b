// Reading score item lines such as "|Note|Dur:4th|Pos:-2". An item line starts
// with "|" and its kind; fields follow, each "|", a name, ":" and a value.
// Nothing else of a line is interpreted: lines are carried as opaque text.
#pragma once

#include <string_view>

namespace kadenzo {

// Both functions return a view into `line`: keep the line alive while the
// result is in use.

// The item kind of `line`: the text after the leading "|" up to the next "|"
// or the end of the line. The character right after the leading "|" always
// belongs to the kind, so "||x|y" has the kind "|x". A line that is empty,
// does not start with "|", or is "|" alone has the empty kind.
std::string_view ItemKind(std::string_view line);

// The value after the first occurrence of `name` followed by ":" anywhere in
// `line`, up to the next "|" or the end of the line; commas are part of it.
// The match need not start a field: for "Pos", "XPos:" matches too. The empty
// string when there is no such occurrence.
std::string_view FieldValue(std::string_view name, std::string_view line);

}  // namespace kadenzo
