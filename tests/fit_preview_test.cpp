#include <gtest/gtest.h>

#include <algorithm>

#include "image/image_store.h"
#include "platform/image_facility.h"

namespace zelvane {
namespace {

struct FitCase {
  int width, height;
  int fittedWidth, fittedHeight;
  const char* why;
};

constexpr FitCase kFitCases[] = {
    {380, 295, 380, 295, "exactly the box"},
    {381, 295, 381, 295, "landscape rule gives the same size"},
    {380, 296, 379, 295, "one pixel too high"},
    {296, 296, 295, 295, "square"},
    {295, 296, 380, 381, "portrait just over the height"},
    {800, 600, 393, 295, "landscape overflows the width"},
    {1920, 1080, 524, 295, "full HD"},
    {400, 200, 590, 295, "wide picture is enlarged"},
    {600, 800, 380, 507, "portrait"},
    {1080, 1920, 380, 676, "tall portrait"},
    {300, 400, 380, 507, "narrow portrait is enlarged"},
    {200, 100, 200, 100, "inside the box"},
    {0, 0, 0, 0, "no picture"},
    {444, 296, 442, 295, "442.5 goes to even"},
    {740, 296, 738, 295, "737.5 goes to even"},
    {384, 432, 380, 428, "427.5 goes to even"},
    {760, 761, 380, 380, "380.5 goes to even"},
    {1000, 1001, 380, 380, "nearly square portrait"},
    {1001, 1000, 295, 295, "nearly square landscape"},
    {381, 380, 296, 295, "nearly square, just wider"},
    {870, 300, 855, 295, "quotient first: 855.4999999999999, not 855.5"},
    {400, 530, 380, 503, "quotient first: 503.49999999999994"},
};

class FitPreview : public ::testing::Test {
 protected:
  void SetUp() override {
    PreviewBoxWidth = 380;
    PreviewBoxHeight = 295;
  }
  void TearDown() override { releaseAllImages(); }
};

TEST_F(FitPreview, SizesFollowTheFitRule) {
  for (const FitCase& c : kFitCases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << ": " << c.why);
    const PreviewSize size = fittedPreviewSize(c.width, c.height);
    EXPECT_EQ(size.width, c.fittedWidth);
    EXPECT_EQ(size.height, c.fittedHeight);
  }
}

TEST_F(FitPreview, ResamplesThePreviewAndLeavesTheSourceAlone) {
  ImageBuffer* source = createImage(SourceImage, 870, 300, 24);
  ASSERT_NE(source, nullptr);
  std::fill(source->pixels.get(), source->pixels.get() + source->byteCount(), 90);
  ASSERT_NE(createImage(PreviewImage, 870, 300, 24), nullptr);

  fitPreview();

  EXPECT_EQ(imageWidth(PreviewImage), 855);
  EXPECT_EQ(imageHeight(PreviewImage), 295);
  EXPECT_EQ(imageWidth(SourceImage), 870);
  EXPECT_EQ(imageHeight(SourceImage), 300);
}

TEST_F(FitPreview, APictureInsideTheBoxIsNotTouched) {
  ImageBuffer* preview = createImage(PreviewImage, 200, 100, 24);
  ASSERT_NE(preview, nullptr);
  fitPreview();
  EXPECT_EQ(imageAt(PreviewImage), preview);
}

}  // namespace
}  // namespace zelvane
