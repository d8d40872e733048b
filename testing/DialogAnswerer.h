// Answers the modal message boxes a widget test brings up, so that no test
// waits on a dialog: every box that opens while an answerer lives is noted
// (caption and text) and dismissed with its OK button. Users see the same
// boxes; only the click comes from the test.
#pragma once

#include <QString>
#include <QStringList>
#include <QTimer>

namespace kadenzo::testing {

class DialogAnswerer {
 public:
  DialogAnswerer();

  // "Caption: text" of each box answered so far, in order.
  const QStringList& Seen() const { return seen_; }

 private:
  QTimer timer_;
  QStringList seen_;
};

}  // namespace kadenzo::testing
