#pragma once
// The two pictures the program holds and the commands that act on them: Open,
// Test and Reset, with the fit of the preview, plus the file dialog and the
// reading of the filter controls that Save uses as well.
#include <string>

#include <string>

#include "color/filter_pass.h"
#include "image/choose_file.h"

namespace zelvane {

inline constexpr int SourceImage = 0;   // the full-resolution picture
inline constexpr int PreviewImage = 1;  // the fitted copy the window shows

// The box the preview is fitted to; start-up sets 380 x 295.
extern int PreviewBoxWidth;
extern int PreviewBoxHeight;
// The result of the latest open dialog ("" after a cancel); the next open
// dialog starts from it.
extern std::string openPath;

// The Open command: asks for a picture, loads it and shows its preview.
void openImage(const std::string& previousPath);
// The Test command: filters the preview, or opens a picture when there is none.
void testPreview();
// The Reset command: a fresh preview of the full picture.
void resetPreview();

struct PreviewSize {
  int width = 0;
  int height = 0;
};
// The size the fit gives a picture of width x height. A picture inside the
// box keeps its size; otherwise one side is pinned to the box and the other
// follows the aspect ratio, computed as the constant divided by the quotient
// of the sides (that order decides the halfway cases), ties to even.
PreviewSize fittedPreviewSize(int width, int height);
// Resamples the preview to its fitted size.
void fitPreview();
// Hands the preview (or none) to the window.
void showPreview();

// The class check boxes, the correction box and the current hue band.
FilterSettings readFilterSettings();

}  // namespace zelvane
