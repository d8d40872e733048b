#include "score/ArticulationCopy.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "score/ItemLine.h"

namespace kadenzo {

namespace {

using Index = LineList::Index;

// The item kinds the copy tells apart. Any other non-empty kind is kOther.
enum class Kind { kEmpty, kBar, kNote, kChord, kRest, kOther };

Kind KindOf(std::string_view line) {
  std::string_view kind = ItemKind(line);
  if (kind.empty()) return Kind::kEmpty;
  if (kind == "Bar") return Kind::kBar;
  if (kind == "Note") return Kind::kNote;
  if (kind == "Chord") return Kind::kChord;
  if (kind == "Rest") return Kind::kRest;
  return Kind::kOther;
}

bool IsNoteLike(Kind kind) {
  return kind == Kind::kNote || kind == Kind::kChord || kind == Kind::kRest;
}

// One item of the first bar, read once: the first bar lies before every line
// the walk changes, so it stays the same throughout.
struct TemplateItem {
  std::string line;
  Kind kind = Kind::kEmpty;
  std::size_t posSize = 0;  // length of the value of its first "Pos:" field
  std::size_t posAt = 0;    // where the first "Pos" text's value would start
  bool hasPosText = false;
};

TemplateItem ReadTemplateItem(std::string line) {
  TemplateItem item;
  item.kind = KindOf(line);
  item.posSize = FieldValue("Pos", line).size();
  std::size_t at = line.find("Pos");
  item.hasPosText = at != std::string::npos;
  item.posAt = item.hasPosText ? std::min(at + 4, line.size()) : 0;
  item.line = std::move(line);
  return item;
}

// The template line with the later item's position put in place of the first
// "Pos" text's value. Both the place and the old value are found by first
// occurrence, not by field, so "|Note|XPos:1|Pos:2" takes the position in
// place of "1".
void WithPosition(const TemplateItem& item, std::string_view currentPos, std::string& out) {
  std::size_t removed = std::min(item.posSize, item.line.size() - item.posAt);
  out.assign(item.line, 0, item.posAt);
  out += currentPos;
  out.append(item.line, item.posAt + removed);
}

}  // namespace

CopyResult CopyArticulation(LineList& lines) {
  Index first = KindOf(lines.View(1)) == Kind::kBar ? 2 : 1;

  Index i = first;
  Kind kind;
  do {
    ++i;
    kind = KindOf(lines.View(i));
  } while (i < lines.Count() - 1 && kind != Kind::kBar && kind != Kind::kEmpty);
  if (kind == Kind::kEmpty) return CopyResult::NotEnoughBars;
  // A first bar that runs to the end of the lines leaves nothing after it to
  // change.
  if (kind != Kind::kBar) return CopyResult::Done;

  // The template: the first bar's items and its closing bar line.
  std::vector<TemplateItem> bar;
  for (Index t = first; t <= i; ++t) bar.push_back(ReadTemplateItem(lines.Get(t)));

  // Without a note, chord or rest in the template, every later note would get
  // the template's other items inserted in front of it again and again and
  // the walk would never end; such a template has nothing to copy.
  if (std::none_of(bar.begin(), bar.end(),
                   [](const TemplateItem& item) { return IsNoteLike(item.kind); })) {
    return CopyResult::Done;
  }

  std::size_t t = 0;
  std::string replacement;
  ++i;
  kind = KindOf(lines.View(i));

  do {
    if (kind == Kind::kEmpty || kind == Kind::kBar || bar[t].kind == Kind::kBar) {
      t = 0;
      if (kind == Kind::kBar) {
        ++i;
        kind = KindOf(lines.View(i));
      }
    }

    const TemplateItem& item = bar[t];
    if (IsNoteLike(kind)) {
      if (!IsNoteLike(item.kind)) {
        // The template item now stands at i; the advance below brings i back
        // onto the same later note, paired with the next template item.
        lines.Insert(i, item.line);
      } else if (item.kind == kind) {
        if (kind == Kind::kRest) {
          lines.Put(i, item.line);
        } else if (item.hasPosText) {
          std::string_view currentPos = FieldValue("Pos", lines.View(i));
          if (!currentPos.empty()) {
            WithPosition(item, currentPos, replacement);
            lines.Put(i, replacement);
          }
        }
      }
    }

    ++t;
    ++i;
    kind = KindOf(lines.View(i));
  } while (i < lines.Count() - 1 && kind != Kind::kEmpty);

  return CopyResult::Done;
}

}  // namespace kadenzo
