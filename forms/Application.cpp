#include "forms/Application.h"

#include <QApplication>

#include <cstdlib>

#include "forms/Form.h"

namespace kadenzo::forms {

TApplication::TApplication(std::vector<std::string> args) : args_(std::move(args)) {}

TApplication::~TApplication() = default;

int TApplication::ParamCount() const {
  return args_.empty() ? 0 : static_cast<int>(args_.size()) - 1;
}

std::string TApplication::ParamStr(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= args_.size()) return {};
  return args_[static_cast<std::size_t>(index)];
}

QString TApplication::Title() const {
  std::string path = ParamStr(0);
  std::string name = path.substr(path.find_last_of('/') + 1);
  name = name.substr(0, name.find('.'));
  QString title = QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size()));
  return title.left(1) + title.mid(1).toLower();
}

void TApplication::Adopt(std::unique_ptr<TForm> form) {
  TForm* created = form.get();
  forms_.push_back(std::move(form));
  created->RunHandler([created] { created->FormCreate(); });
}

int TApplication::Run() {
  if (forms_.empty()) return 0;
  TForm* main = forms_.front().get();
  QObject::connect(main, &QDialog::finished, qApp, &QCoreApplication::quit);
  main->ShowCentered();
  QApplication::exec();
  return 0;
}

void TApplication::Halt() { std::exit(0); }

}  // namespace kadenzo::forms
