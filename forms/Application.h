// TApplication is the program's application object: it knows the command
// line, makes the application title, creates forms (running their create
// handler before they are ever shown) and runs the message loop until the main
// form closes. It rests on a QApplication that the program entry creates.
#pragma once

#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace kadenzo::forms {

class TForm;

class TApplication {
 public:
  // `args` is the command line as the system passed it, the program's path
  // first. Paths in it are kept as raw bytes and never re-encoded.
  explicit TApplication(std::vector<std::string> args);
  ~TApplication();

  // Number of parameters after the program's path.
  int ParamCount() const;

  // Parameter `index` (0 is the program's path); the empty string past the end.
  std::string ParamStr(int index) const;

  // The program's file name up to its first ".", every letter after the first
  // in lower case: "KADENZO.EXE" gives "Kadenzo". Captions the failure boxes.
  QString Title() const;

  // Creates a form of type T, runs its create handler and keeps it for the
  // life of the application. A failure in the create handler is shown and the
  // form is still returned. The first form created is the main form.
  template <typename T>
  T* CreateForm() {
    auto form = std::make_unique<T>(*this);
    T* created = form.get();
    Adopt(std::move(form));
    return created;
  }

  // Shows the main form and runs the message loop until it closes. Returns the
  // exit status, always 0.
  int Run();

  // Ends the process at once with exit status 0.
  [[noreturn]] void Halt();

 private:
  void Adopt(std::unique_ptr<TForm> form);

  std::vector<std::string> args_;
  std::vector<std::unique_ptr<TForm>> forms_;
};

}  // namespace kadenzo::forms
