#include "image/image_store.h"

namespace zelvane {

int PreviewBoxWidth = 0;
int PreviewBoxHeight = 0;
std::string openPath;

// Placeholders until the commands land.
void openImage(const std::string&) {}
void testPreview() {}
void resetPreview() {}

}  // namespace zelvane
