#include "platform/replacement_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace zelvane {
namespace {

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The permissions a file made by fopen would get.
mode_t ordinaryFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool beginReplacement(const std::string& path, ReplacementFile& file) {
  file = ReplacementFile{};
  if (path.empty()) return false;
  std::string pattern = folderOf(path) + "/.zelvane-save-XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return false;
  file.temporaryPath = pattern;
  file.finalPath = path;
  file.stream = ::fchmod(fd, ordinaryFileMode()) == 0 ? ::fdopen(fd, "wb") : nullptr;
  if (!file.stream) {
    ::close(fd);
    ::unlink(pattern.c_str());
    file = ReplacementFile{};
    return false;
  }
  return true;
}

bool commitReplacement(ReplacementFile& file) {
  if (!file.stream) return false;
  bool ok = std::fflush(file.stream) == 0 && !std::ferror(file.stream);
  ok = ::fdatasync(::fileno(file.stream)) == 0 && ok;
  ok = std::fclose(file.stream) == 0 && ok;
  file.stream = nullptr;
  ok = ok && std::rename(file.temporaryPath.c_str(), file.finalPath.c_str()) == 0;
  if (!ok) ::unlink(file.temporaryPath.c_str());
  return ok;
}

void abandonReplacement(ReplacementFile& file) {
  if (file.stream) std::fclose(file.stream);
  file.stream = nullptr;
  if (!file.temporaryPath.empty()) ::unlink(file.temporaryPath.c_str());
}

}  // namespace zelvane
