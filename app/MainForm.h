// TMain is Kadenzo's only window: the score lines in an editable area, a button
// for the articulation copy and two for finishing. Each handler calls into the
// score core and shows its answer; nothing here edits score text itself.
#pragma once

#include "forms/Button.h"
#include "forms/Form.h"
#include "forms/Memo.h"

namespace kadenzo {

class TMain : public forms::TForm {
 public:
  // Builds the window and its controls; the files are touched only by the
  // handlers.
  explicit TMain(forms::TApplication& application);

  forms::TMemo* Memo1;
  forms::TButton* OkButton;
  forms::TButton* CancelButton;
  forms::TButton* CopyButton;

  // Refuses to run without the input and output paths (shows the error and
  // ends the process), then loads the input file into Memo1.
  void FormCreate() override;

  // Writes Memo1's lines to the output file, deletes the input file and closes
  // the window. A failure leaves the window open and the input in place.
  void OkButtonClick();

  // Deletes the input file and closes the window.
  void CancelButtonClick();

  // Copies the first bar's articulation onto the later bars, then makes OK
  // the default button and gives it the focus. Without a second bar, reports
  // "Not enough bars.", deletes the input file and closes the window.
  void CopyButtonClick();
};

// The main window of the running program.
extern TMain* Main;

}  // namespace kadenzo
