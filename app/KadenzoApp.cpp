// Kadenzo's program entry. The host notation editor starts it as a user tool
// with two paths: the input file holding the selected score lines, and the
// output file to write the result to. Every way of finishing exits with 0.
#include <QApplication>

#include <string>
#include <vector>

#include "app/MainForm.h"
#include "forms/Application.h"

int main(int argc, char** argv) {
  // Qt would take some words of the command line as its own options; the
  // host's paths are read from the untouched copy.
  std::vector<std::string> args(argv, argv + argc);
  QApplication qtApplication(argc, argv);
  kadenzo::forms::TApplication application(std::move(args));
  kadenzo::Main = application.CreateForm<kadenzo::TMain>();
  return application.Run();
}
