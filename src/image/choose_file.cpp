#include "image/choose_file.h"

#include <cstddef>

namespace zelvane {
namespace {

constexpr std::size_t kMaxProposedNameChars = 259;

// Cuts UTF-8 text to at most `limit` characters without splitting one.
std::string cutToChars(const std::string& text, std::size_t limit) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool startsChar = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (startsChar && chars++ == limit) return text.substr(0, i);
  }
  return text;
}

// A name the dialog's name field can start with: not empty, no control
// characters and none of the characters a file name may not carry on every
// system the dialog serves.
bool isProposableName(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 32) return false;
    for (char bad : {'"', '*', '/', ':', '<', '>', '?', '\\', '|'}) {
      if (c == bad) return false;
    }
  }
  return true;
}

// "desc|pattern|desc|pattern" as pairs; a trailing description without a
// pattern is dropped.
std::vector<FileFilter> parseFilterText(const std::string& filter) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (;;) {
    const std::size_t bar = filter.find('|', start);
    pieces.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::vector<FileFilter> filters;
  for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) filters.push_back({pieces[i], pieces[i + 1]});
  return filters;
}

}  // namespace

std::string chooseFile(FileDialogMode mode, const std::string& title,
                       const std::optional<std::string>& previousPath, const std::string& filter) {
  FileDialogRequest request;
  request.mode = mode;
  request.title = title;
  request.filters = parseFilterText(filter);
  if (previousPath) {
    const std::size_t slash = previousPath->rfind('/');
    std::string name = *previousPath;
    if (slash != std::string::npos && slash > 0) {
      request.startFolder = previousPath->substr(0, slash);
      name = previousPath->substr(slash + 1);
    }
    name = cutToChars(name, kMaxProposedNameChars);
    if (isProposableName(name)) request.proposedName = name;
  }
  return dialogs().chooseFilePath(request);
}

}  // namespace zelvane
