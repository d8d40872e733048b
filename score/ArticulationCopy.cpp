#include "score/ArticulationCopy.h"

#include <string>

#include "score/ItemLine.h"

namespace kadenzo {

namespace {

using Index = LineList::Index;

bool IsNoteLike(const std::string& kind) {
  return kind == "Note" || kind == "Chord" || kind == "Rest";
}

// The template line with the later item's position put in place of the first
// "Pos" text's value. Both the place and the old value are found by first
// occurrence, not by field, so "|Note|XPos:1|Pos:2" takes the position in
// place of "1".
std::string WithPosition(std::string line, const std::string& templatePos,
                         const std::string& currentPos) {
  std::size_t at = line.find("Pos") + 4;
  if (at > line.size()) at = line.size();
  line.erase(at, templatePos.size());
  line.insert(at, currentPos);
  return line;
}

}  // namespace

CopyResult CopyArticulation(LineList& lines) {
  Index first = ItemKind(lines.Get(1)) == "Bar" ? 2 : 1;

  Index i = first;
  std::string kind;
  do {
    ++i;
    kind = ItemKind(lines.Get(i));
  } while (i < lines.Count() - 1 && kind != "Bar" && !kind.empty());
  if (kind.empty()) return CopyResult::NotEnoughBars;

  // Without a note, chord or rest in the template, every later note would get
  // the template's other items inserted in front of it again and again and
  // the walk would never end; such a template has nothing to copy.
  bool templateHasNote = false;
  for (Index t = first; t < i && !templateHasNote; ++t) {
    templateHasNote = IsNoteLike(ItemKind(lines.Get(t)));
  }
  if (!templateHasNote) return CopyResult::Done;

  Index t = first;
  std::string templateLine = lines.Get(t);
  std::string templateKind = ItemKind(templateLine);
  ++i;
  std::string line = lines.Get(i);
  kind = ItemKind(line);

  do {
    if (kind.empty() || kind == "Bar" || templateKind == "Bar") {
      t = first;
      templateLine = lines.Get(t);
      templateKind = ItemKind(templateLine);
      if (kind == "Bar") {
        ++i;
        line = lines.Get(i);
        kind = ItemKind(line);
      }
    }

    if (IsNoteLike(kind)) {
      if (!IsNoteLike(templateKind)) {
        // The template item now stands at i; the advance below brings i back
        // onto the same later note, paired with the next template item.
        lines.Insert(i, templateLine);
      } else if (templateKind == kind) {
        std::string currentPos = FieldValue("Pos", line);
        if (kind == "Rest") {
          lines.Put(i, templateLine);
        } else if (templateLine.find("Pos") != std::string::npos && !currentPos.empty()) {
          lines.Put(i, WithPosition(templateLine, FieldValue("Pos", templateLine), currentPos));
        }
      }
    }

    ++t;
    templateLine = lines.Get(t);
    templateKind = ItemKind(templateLine);
    ++i;
    line = lines.Get(i);
    kind = ItemKind(line);
  } while (i < lines.Count() - 1 && !kind.empty());

  return CopyResult::Done;
}

}  // namespace kadenzo
