#include "image/image_store.h"

#include <cmath>

#include "color/screen_sample.h"
#include "platform/image_facility.h"
#include "ui/main_window.h"
#include "ui/message_box.h"

namespace zelvane {

int PreviewBoxWidth = 0;
int PreviewBoxHeight = 0;
std::string openPath;

namespace {

constexpr const char* kOpenTitle = "SELECT IMAGE";
constexpr const char* kOpenFilter = "All supported formats|*.bmp; *.jpg; *.jpeg";

// The check box of each color class, in ColorClass order.
constexpr int kKeepBoxes[kColorClassCount] = {KeepRed,  KeepOrange, KeepYellow, KeepGreen,
                                              KeepCyan, KeepBlue,   KeepViolet};

int roundHalfToEven(double value) { return static_cast<int>(std::nearbyint(value)); }

}  // namespace

void openImage(const std::string& previousPath) {
  const std::string result = chooseFile(FileDialogMode::Open, kOpenTitle, previousPath, kOpenFilter);
  openPath = result;
  if (result.empty()) {
    showMessage("Information", "The requester was canceled.", kMessageOk);
    return;
  }
  // What the load did is not looked at: a file that cannot be read keeps the
  // old picture, one that does not decode leaves none, and either way the
  // preview below shows what there is.
  loadImageFile(SourceImage, result);
  duplicateImage(SourceImage, PreviewImage);
  setPathText(result);
  fitPreview();
  showPreview();
}

void testPreview() {
  if (!hasImage(PreviewImage)) {
    openImage(openPath);
    return;
  }
  applyFilter(PreviewImage, readFilterSettings());
  showPreview();
}

void resetPreview() {
  duplicateImage(SourceImage, PreviewImage);
  fitPreview();
  showPreview();
}

PreviewSize fittedPreviewSize(int width, int height) {
  if (width <= PreviewBoxWidth && height <= PreviewBoxHeight) return {width, height};
  const double w = width;
  const double h = height;
  const double boxWidth = PreviewBoxWidth;
  const double boxHeight = PreviewBoxHeight;
  if (h < w) return {roundHalfToEven(boxHeight / (h / w)), PreviewBoxHeight};
  if (w < h) return {PreviewBoxWidth, roundHalfToEven(boxWidth / (w / h))};
  return {PreviewBoxHeight, PreviewBoxHeight};
}

void fitPreview() {
  const PreviewSize size = fittedPreviewSize(imageWidth(PreviewImage), imageHeight(PreviewImage));
  resampleImage(PreviewImage, size.width, size.height);
}

void showPreview() { setPreviewImage(imageAt(PreviewImage)); }

FilterSettings readFilterSettings() {
  FilterSettings settings;
  for (int c = 0; c < kColorClassCount; ++c) settings.keep[c] = isTicked(kKeepBoxes[c]) != 0;
  settings.correction = isTicked(CorrectionCheck) != 0;
  settings.band = hueBand;
  return settings;
}

}  // namespace zelvane
