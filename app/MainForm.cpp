#include "app/MainForm.h"

#include "forms/Application.h"
#include "forms/MessageDialog.h"
#include "score/ArticulationCopy.h"
#include "score/ScoreFile.h"

namespace kadenzo {

TMain* Main = nullptr;

TMain::TMain(forms::TApplication& application) : TForm(application) {
  setObjectName("Main");
  setWindowTitle("Kadenzo 0.1 by Tarrow Software");
  QFont font("MS Sans Serif");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  setFont(font);
  SetClientSize(400, 320);

  Memo1 = new forms::TMemo(*this, "Memo1", QRect(16, 56, 369, 209));
  OkButton = new forms::TButton(*this, "OkButton", "&OK", QRect(88, 280, 105, 25));
  CancelButton = new forms::TButton(*this, "CancelButton", "Cancel", QRect(208, 280, 105, 25));
  CopyButton = new forms::TButton(*this, "CopyButton", "Copy Articulation from First Bar",
                                  QRect(88, 16, 224, 25));

  // What screen readers announce for each control.
  setAccessibleName("Kadenzo");
  setAccessibleDescription("Copies the articulation of a score's first bar onto its later bars");
  Memo1->setAccessibleName("Score text");
  Memo1->setAccessibleDescription("The score's item lines, one item a line; they can be edited");
  CopyButton->setAccessibleName("Copy Articulation from First Bar");
  CopyButton->setAccessibleDescription(
      "Rewrites every later bar after the pattern of the first bar");
  OkButton->setAccessibleName("OK");
  OkButton->setAccessibleDescription("Writes the score text to the output file and closes");
  CancelButton->setAccessibleName("Cancel");
  CancelButton->setAccessibleDescription("Closes without writing anything");

  setTabOrder(CopyButton, Memo1);
  setTabOrder(Memo1, OkButton);
  setTabOrder(OkButton, CancelButton);
  CopyButton->setDefault(true);
  CopyButton->setFocus();

  OkButton->OnClick([this] { OkButtonClick(); });
  CancelButton->OnClick([this] { CancelButtonClick(); });
  CopyButton->OnClick([this] { CopyButtonClick(); });
}

void TMain::FormCreate() {
  if (application_.ParamCount() < 2) {
    forms::ShowErrorDialog(
        "This program cannot run by itself. Please setup Kadenzo.exe as a user tool in "
        "NoteWorthy Composer.");
    application_.Halt();
  }
  forms::TMemo::Update update(*Memo1, false);
  LoadInput(application_.ParamStr(1), Memo1->Lines());
}

void TMain::OkButtonClick() {
  WriteOutput(application_.ParamStr(2), Memo1->Lines());
  DeleteInput(application_.ParamStr(1), application_.ParamStr(2));
  close();
}

void TMain::CancelButtonClick() {
  DeleteInput(application_.ParamStr(1));
  close();
}

void TMain::CopyButtonClick() {
  CopyResult result;
  {
    forms::TMemo::Update update(*Memo1);
    result = CopyArticulation(Memo1->Lines());
  }
  if (result == CopyResult::NotEnoughBars) {
    forms::ShowErrorDialog("Not enough bars.");
    DeleteInput(application_.ParamStr(1));
    close();
    return;
  }
  CopyButton->setDefault(false);
  OkButton->setDefault(true);
  OkButton->setFocus();
}

}  // namespace kadenzo
