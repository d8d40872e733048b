#include "testing/TempDir.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

namespace kadenzo::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "kadenzo-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  path_ = pattern;
  fs::permissions(path_, fs::perms::all);
}

TempDir::~TempDir() {
  // Tests may leave read-only folders behind; open them so they can go.
  std::error_code ignored;
  for (const auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
    if (entry.is_directory(ignored)) fs::permissions(entry.path(), fs::perms::all, ignored);
  }
  fs::remove_all(path_, ignored);
}

}  // namespace kadenzo::testing
