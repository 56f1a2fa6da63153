#include "platform/file_system.h"

#include <sys/stat.h>

namespace zelvane {

bool pathExists(const std::string& path) {
  struct stat info;
  return !path.empty() && ::lstat(path.c_str(), &info) == 0;
}

std::string toLowerText(const std::string& text) {
  std::string lower = text;
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace zelvane
