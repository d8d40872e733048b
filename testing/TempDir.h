// A fresh, empty folder for one test, removed with everything in it when the
// test ends. Open to every user, so that a test can also act in it as an
// unprivileged user.
#pragma once

#include <string>

namespace kadenzo::testing {

class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  // The folder's path.
  const std::string& Path() const { return path_; }

  // The path of `name` inside the folder.
  std::string Path(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace kadenzo::testing
