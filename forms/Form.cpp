#include "forms/Form.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include <exception>

#include "forms/Application.h"
#include "forms/MessageDialog.h"

namespace kadenzo::forms {

TForm::TForm(TApplication& application)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      application_(application) {
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  setSizeGripEnabled(false);
}

void TForm::SetClientSize(int width, int height) { setFixedSize(width, height); }

void TForm::ShowCentered() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    QRect desktop = screen->availableGeometry();
    move(desktop.center() - QPoint(width() / 2, height() / 2));
  }
  show();
}

void TForm::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& failure) {
    ShowFailureBox(application_.Title(), QString::fromLocal8Bit(failure.what()) + ".");
  }
}

void TForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kadenzo::forms
