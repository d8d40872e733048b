// TButton is a push button placed at a fixed position on its form. Enter or
// Space presses it while it has the focus; its click runs the form's handler
// through TForm::RunHandler.
#pragma once

#include <QPushButton>

#include <functional>

namespace kadenzo::forms {

class TForm;

class TButton : public QPushButton {
 public:
  // `caption` may mark its access key with "&" ("&OK": Alt+O presses it).
  TButton(TForm& form, const QString& name, const QString& caption, const QRect& bounds);

  // Runs `handler` on every click, inside the form's failure handling.
  void OnClick(std::function<void()> handler);

 private:
  TForm& form_;
};

}  // namespace kadenzo::forms
