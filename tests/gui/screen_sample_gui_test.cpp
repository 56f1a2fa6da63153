// The color pick on the real window and the real screen: a right press over
// the preview reads the pixel the screen shows under the cursor.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QTest>

#include "command_harness.h"
#include "gui_support.h"
#include "platform/qt/qt_screen.h"
#include "ui/event_loop.h"

namespace zelvane {
namespace {

using namespace testing_support;

// Four 20 x 20 blocks: the blue whose hue is 223, a red, a dark blue of hue
// 242 and a gray.
constexpr PackedColor kBlocks[] = {makeColor(0, 72, 255), makeColor(255, 0, 0), makeColor(1, 0, 24),
                                   makeColor(128, 128, 128)};
constexpr int kBlockSide = 20;
const QPoint kPreviewAt(380, 40);

Picture blocksPicture() {
  Picture picture{4 * kBlockSide, kBlockSide, {}};
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) picture.pixels.push_back(kBlocks[x / kBlockSide]);
  return picture;
}

PackedColor packed(const QColor& c) { return makeColor(c.red(), c.green(), c.blue()); }

// The real screen, but the cursor reported far outside it.
class CursorOffScreen final : public Screen {
 public:
  bool cursorPosition(ScreenPoint& point) override {
    point = {100000, 100000};
    return true;
  }
  std::uint32_t pixelColor(ScreenPoint point) override { return real_.pixelColor(point); }

 private:
  QtScreen real_;
};

class ScreenSampleGuiTest : public QtMainWindowTest {
 protected:
  QtScreen screen_;
  ScriptedDialogs dialogs_;
  std::filesystem::path folder_;

  void SetUp() override {
    QtMainWindowTest::SetUp();
    installScreen(&screen_);
    installDialogs(&dialogs_);
    releaseAllImages();
    enableJpegDecoder();
    PreviewBoxWidth = 380;
    PreviewBoxHeight = 295;
    openPath = "";
    hueBand = {};
    std::string pattern = (std::filesystem::temp_directory_path() / "zelvane-gui-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    writeBmp(folder_ / "blocks.bmp", blocksPicture());
    dialogs_.answers.push_back((folder_ / "blocks.bmp").string());
    openImage(openPath);
    settle(50);
  }
  void TearDown() override {
    installDialogs(nullptr);
    installScreen(nullptr);
    releaseAllImages();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    QtMainWindowTest::TearDown();
  }

  // The client point in the middle of a block of the preview.
  static QPoint blockPoint(int block) {
    return kPreviewAt + QPoint(block * kBlockSide + kBlockSide / 2, kBlockSide / 2);
  }
  QColor swatchOnScreen() const { return clientPixel(control(SampleSwatch)->geometry().center()); }

  // Puts the cursor on the client point and presses the right button there;
  // the press goes through the loop's routing to its command.
  void rightPressAt(QPoint client) {
    QCursor::setPos(window()->mapToGlobal(client));
    settle(20);
    QTest::mousePress(window()->windowHandle(), Qt::RightButton, {}, client);
    QTest::mouseRelease(window()->windowHandle(), Qt::RightButton, {}, client);
    settle(20);
    int samples = 0;
    for (const UiEvent& event : takeQueuedEvents(*toolkit_)) {
      if (routeEvent(event) != LoopAction::SampleColor) continue;
      sampleScreenColor();
      ++samples;
    }
    EXPECT_EQ(samples, 1);
    settle(30);
  }
};

TEST_F(ScreenSampleGuiTest, RightPressOverThePreviewTakesThePixelOnScreen) {
  struct Case {
    int block;
    int low, high;
  };
  // One after the other: each sample replaces the band and the swatch.
  const Case cases[] = {{0, 203, 243}, {1, -20, 20}, {2, 222, 262}, {3, -20, 20}, {0, 203, 243}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "block " << c.block);
    const QPoint at = blockPoint(c.block);
    ASSERT_EQ(packed(clientPixel(at)), kBlocks[c.block]) << "the preview shows the picture unscaled";

    rightPressAt(at);

    EXPECT_EQ(hueBand.low, c.low);
    EXPECT_EQ(hueBand.high, c.high);
    EXPECT_EQ(packed(swatchOnScreen()), kBlocks[c.block]);
  }
}

TEST_F(ScreenSampleGuiTest, AnUnreadablePixelGivesHueZeroAndTheDefaultSwatch) {
  rightPressAt(blockPoint(0));
  ASSERT_EQ(packed(swatchOnScreen()), kBlocks[0]);

  CursorOffScreen offScreen;
  installScreen(&offScreen);
  rightPressAt(blockPoint(0));

  EXPECT_EQ(hueBand.low, -20);
  EXPECT_EQ(hueBand.high, 20);
  EXPECT_EQ(swatchOnScreen(), background());
}

TEST_F(ScreenSampleGuiTest, WhereTheScreenCannotBeReadOurOwnWindowIsRead) {
  QtScreen ownWindowOnly(false);
  installScreen(&ownWindowOnly);
  rightPressAt(blockPoint(2));
  EXPECT_EQ(hueBand.low, 222);
  EXPECT_EQ(packed(swatchOnScreen()), kBlocks[2]);

  // Outside every window of the program nothing can be read.
  const QPoint outside = window()->mapToGlobal(QPoint(-20, -10));
  ASSERT_EQ(QApplication::topLevelAt(outside), nullptr);
  EXPECT_EQ(ownWindowOnly.pixelColor({outside.x(), outside.y()}), kUnreadablePixel);
}

TEST_F(ScreenSampleGuiTest, WithCorrectionTickedTheNextTestGraysTheBand) {
  for (int id : {KeepRed, KeepOrange, KeepYellow, KeepGreen, KeepCyan, KeepBlue, KeepViolet})
    static_cast<QCheckBox*>(control(id))->setChecked(true);
  rightPressAt(blockPoint(0));
  testPreview();
  settle(30);
  EXPECT_EQ(packed(clientPixel(blockPoint(2))), kBlocks[2]) << "the band waits for the box";

  static_cast<QCheckBox*>(control(CorrectionCheck))->setChecked(true);
  testPreview();
  settle(30);

  // Hues 223 and 242 lie inside (203, 243); red and gray do not.
  for (int block : {0, 2}) {
    const PackedColor c = kBlocks[block];
    const int gray = grayLevel(redOf(c), greenOf(c), blueOf(c));
    EXPECT_EQ(packed(clientPixel(blockPoint(block))), makeColor(gray, gray, gray)) << "block " << block;
  }
  EXPECT_EQ(packed(clientPixel(blockPoint(1))), kBlocks[1]);
  EXPECT_EQ(packed(clientPixel(blockPoint(3))), kBlocks[3]);
}

}  // namespace
}  // namespace zelvane
