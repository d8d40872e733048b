// TForm is a fixed-size dialog window with one handler per user action. It
// catches a failure raised inside any handler and shows it in a failure box,
// so the window stays open and usable. Escape does nothing: no button is
// bound to it.
#pragma once

#include <QDialog>

#include <functional>

namespace kadenzo::forms {

class TApplication;

class TForm : public QDialog {
 public:
  explicit TForm(TApplication& application);

  // The create handler, run once by TApplication::CreateForm before the form
  // is ever shown.
  virtual void FormCreate() {}

  // Makes the client area `width` x `height` pixels at 96 pixels per inch and
  // keeps it so; the user cannot resize the window.
  void SetClientSize(int width, int height);

  // Shows the form centred on the desktop.
  void ShowCentered();

  // Runs `handler`; a FileError or other failure it raises is shown in a
  // failure box captioned with the application title, with a period added.
  void RunHandler(const std::function<void()>& handler);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

  TApplication& application_;
};

}  // namespace kadenzo::forms
