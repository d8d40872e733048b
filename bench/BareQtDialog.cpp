// The baseline for the window benchmarks: a plain Qt dialog whose plain text
// edit shows the file named on the command line, nothing more.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPlainTextEdit>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QDialog dialog;
  dialog.resize(400, 320);
  QPlainTextEdit edit(&dialog);
  edit.setGeometry(16, 56, 369, 209);
  edit.setLineWrapMode(QPlainTextEdit::NoWrap);
  QFile file(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
  if (file.open(QIODevice::ReadOnly)) edit.setPlainText(QString::fromUtf8(file.readAll()));
  dialog.show();
  return QApplication::exec();
}
