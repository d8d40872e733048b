#include "testing/DialogAnswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace kadenzo::testing {

DialogAnswerer::DialogAnswerer() {
  timer_.setInterval(10);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    QString icon = box->icon() == QMessageBox::Critical ? "stop" : "other";
    seen_ << box->windowTitle() + ": " + box->text() + " [" + icon + "]";
    box->button(QMessageBox::Ok)->click();
  });
  timer_.start();
}

}  // namespace kadenzo::testing
