#pragma once
// The image store's state and commands. Placeholder until the commands land:
// the commands do nothing yet.
#include <string>

namespace zelvane {

extern int PreviewBoxWidth;
extern int PreviewBoxHeight;
extern std::string openPath;

void openImage(const std::string& path);
void testPreview();
void resetPreview();

}  // namespace zelvane
