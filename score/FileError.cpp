#include "score/FileError.h"

#include <sys/stat.h>

#include <cerrno>

namespace kadenzo {

namespace {

bool ParentFolderExists(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  std::string parent = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  struct stat info {};
  return stat(parent.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string FileErrorText(int code) {
  switch (code) {
    case 2:
      return "File not found";
    case 3:
      return "Invalid filename";
    case 4:
      return "Too many open files";
    case 5:
      return "File access denied";
    case 100:
      return "Read beyond end of file";
    case 101:
      return "Disk full";
    case 106:
      return "Invalid numeric input";
    default:
      return "I/O error " + std::to_string(code);
  }
}

FileError FileErrorFor(int errorNumber, const std::string& path) {
  int code = errorNumber;
  switch (errorNumber) {
    case ENOENT:
      code = ParentFolderExists(path) ? 2 : 3;
      break;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      code = 3;
      break;
    case EMFILE:
    case ENFILE:
      code = 4;
      break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      code = 5;
      break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      code = 101;
      break;
    default:
      // A system number that happens to equal one of the table's codes would
      // be shown with the wrong text; keep it apart by naming it plainly.
      return FileError(errorNumber, "I/O error " + std::to_string(errorNumber));
  }
  return FileError(code, FileErrorText(code));
}

}  // namespace kadenzo
