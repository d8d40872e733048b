// The tool's modal message boxes. Both are centred on the screen, carry a stop
// icon and a single "OK" button, and return when the user dismisses them.
#pragma once

#include <QString>

namespace kadenzo::forms {

// The error dialog captioned "Error", for the tool's own conditions.
void ShowErrorDialog(const QString& text);

// The failure box for a failed handler, captioned `title` (the application
// title).
void ShowFailureBox(const QString& title, const QString& text);

}  // namespace kadenzo::forms
