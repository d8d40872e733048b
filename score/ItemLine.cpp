#include "score/ItemLine.h"

namespace kadenzo {

std::string_view ItemKind(std::string_view line) {
  if (line.size() < 2 || line[0] != '|') return {};
  // Kinds are short words, so a plain walk finds their end sooner than a
  // general search would get going.
  std::size_t end = 2;
  while (end < line.size() && line[end] != '|') ++end;
  return line.substr(1, end - 1);
}

std::string_view FieldValue(std::string_view name, std::string_view line) {
  std::size_t at = 0;
  while ((at = line.find(name, at)) != std::string_view::npos) {
    std::size_t valueStart = at + name.size();
    if (valueStart < line.size() && line[valueStart] == ':') {
      ++valueStart;
      std::size_t end = line.find('|', valueStart);
      return line.substr(valueStart, end == std::string_view::npos ? end : end - valueStart);
    }
    ++at;
  }
  return {};
}

}  // namespace kadenzo
