#include "forms/MessageDialog.h"

#include <QMessageBox>

namespace kadenzo::forms {

namespace {

void ShowStop(const QString& caption, const QString& text) {
  // Without a parent the box is centred on the screen, and the modal loop it
  // runs keeps the rest of the tool waiting until it is dismissed.
  QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
  box.setObjectName("MessageBox");
  box.exec();
}

}  // namespace

void ShowErrorDialog(const QString& text) { ShowStop("Error", text); }

void ShowFailureBox(const QString& title, const QString& text) { ShowStop(title, text); }

}  // namespace kadenzo::forms
