// How the bytes of a score line are shown as text in the edit area, and how
// the edit area's text is turned back into bytes. Score files mix UTF-8 with
// single-byte text and may hold control bytes, so the mapping is made to
// carry every byte string there and back unchanged:
//   - valid UTF-8 is shown as the characters it encodes;
//   - control bytes (0-31 except Tab, and 127) are shown as their symbols
//     from the Control Pictures block (NUL as U+2400, LF as U+240A, ...);
//   - any other byte that is not shown as text (invalid UTF-8, and the UTF-8
//     of characters that would be invisible, break the line, or clash with
//     the symbols above) is shown as a private-use character U+F700 + byte.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace kadenzo::forms {

// The text shown for `bytes`. Never holds a line or paragraph break.
QString BytesToText(std::string_view bytes);

// The bytes for `text`: the inverse of BytesToText for everything it shows;
// other text (as typed by the user) is stored as UTF-8. Typing one of the
// placeholder characters therefore stores the byte it stands for.
std::string TextToBytes(const QString& text);

}  // namespace kadenzo::forms
