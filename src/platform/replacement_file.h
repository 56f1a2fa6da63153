#pragma once
// A file written under a temporary name in its target folder and renamed into
// place only when complete, so a failed write leaves no file behind and never
// removes one that was there.
#include <cstdio>
#include <string>

namespace zelvane {

struct ReplacementFile {
  std::FILE* stream = nullptr;  // open for binary writing while in progress
  std::string temporaryPath;
  std::string finalPath;
};

// Creates the temporary file beside `path`; false (and nothing created) when
// the folder is missing or not writable.
bool beginReplacement(const std::string& path, ReplacementFile& file);
// Flushes, syncs and closes the file and renames it to its final name; on any
// failure the temporary file is removed and the result is false.
bool commitReplacement(ReplacementFile& file);
// Closes and removes the temporary file.
void abandonReplacement(ReplacementFile& file);

}  // namespace zelvane
