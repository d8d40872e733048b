// The articulation copy: the first bar of the score lines is the template for
// every later bar. Later notes and chords take over the line of the template
// item they stand against (same kind only) but keep their own "Pos" value,
// later rests take over the template rest line whole, and template items that
// are not notes, chords or rests are copied in front of the later note they
// stand against. Bar lines ("|Bar") divide the bars.
#pragma once

#include "score/LineList.h"

namespace kadenzo {

enum class CopyResult { Done, NotEnoughBars };

// Runs the articulation copy over `lines` in place. Line 0 is never read or
// changed; the first bar starts at line 1, or at line 2 when line 1 is a bar
// line, and ends at the next bar line. Lines up to and including that bar line
// never change, and no line is ever removed.
//
// Returns NotEnoughBars, having changed nothing, when the first bar is not
// closed by a bar line before a line that is not an item line (or the end).
// A first bar without any note, chord or rest leaves everything unchanged and
// returns Done.
CopyResult CopyArticulation(LineList& lines);

}  // namespace kadenzo
