#include "forms/Button.h"

#include "forms/Form.h"

namespace kadenzo::forms {

TButton::TButton(TForm& form, const QString& name, const QString& caption, const QRect& bounds)
    : QPushButton(caption, &form), form_(form) {
  setObjectName(name);
  setGeometry(bounds);
  setAutoDefault(true);
}

void TButton::OnClick(std::function<void()> handler) {
  connect(this, &QPushButton::clicked, this,
          [this, handler = std::move(handler)] { form_.RunHandler(handler); });
}

}  // namespace kadenzo::forms
