#include "image/save_jpeg.h"

#include "image/codecs.h"
#include "image/image_store.h"
#include "platform/file_system.h"
#include "platform/image_facility.h"
#include "ui/message_box.h"

namespace zelvane {

std::optional<std::string> savePath;

namespace {

constexpr const char* kSaveTitle = "Please select the file to save";
constexpr const char* kSaveFilter = "Image (*.jpg)|*.jpg";

void refuseTakenName() {
  showMessage("Information", "Sorry, but that name is already taken!", kMessageError);
}

}  // namespace

void saveAsJpeg() {
  const std::string name = chooseFile(FileDialogMode::Save, kSaveTitle, savePath, kSaveFilter);
  savePath = name;
  if (!isNameFree(name)) {
    refuseTakenName();
    return;
  }
  // A cancel ends here, before the pass: the full picture stays as it was.
  if (name.empty()) {
    showMessage("Information", "Request canceled", kMessageOk);
    return;
  }
  std::string target = name;
  if (toLowerText(extensionOf(name)) != "jpg") {
    target = name + ".jpg";
    savePath = target;
    // The name with its extension is the one written: it must be free too,
    // so that no file is replaced without a question.
    if (!isNameFree(target)) {
      refuseTakenName();
      return;
    }
  }
  applyFilter(SourceImage, readFilterSettings());
  // A failed save is silent; the encoder leaves no partial file behind.
  saveImageFile(SourceImage, target, JpegCodecId, kSaveQualityLevel, -1);
}

bool isNameFree(const std::string& name) {
  if (name.empty()) return true;
  std::string bare = name;
  while (bare.size() > 1 && bare.back() == '/') bare.pop_back();
  return !pathExists(bare);
}

std::string extensionOf(const std::string& path) {
  const std::size_t mark = path.find_last_of("./\\ ");
  if (mark == std::string::npos || mark == 0 || path[mark] != '.') return "";
  if (path[mark - 1] == '/' || path[mark - 1] == '\\') return "";
  const std::size_t end = path.find('"', mark + 1);
  return path.substr(mark + 1, end == std::string::npos ? std::string::npos : end - mark - 1);
}

}  // namespace zelvane
