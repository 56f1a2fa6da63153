// The real program on its own X display, used as a person would: open a
// picture by typing its path into the open dialog, tick Red, press Test, look
// at the preview on the screen, save under a typed name and decode the file.
#include <gtest/gtest.h>

#include <filesystem>

#include "command_harness.h"
#include "x_session.h"

namespace zelvane {
namespace {

using namespace testing_support;
using namespace std::chrono_literals;

struct Point {
  int x, y;
};

// Where to click a control on the screen, for a window whose client area
// starts at `origin`: the middle of a button, the box of a check box (a check
// box takes clicks on its box and caption only, not on the rest of its width).
Point clickPointOf(int controlId, Point origin) {
  for (const ControlSpec& c : mainWindowControls()) {
    if (c.id != controlId) continue;
    const int x = c.kind == ControlKind::CheckBox ? c.x + 8 : c.x + c.width / 2;
    return {origin.x + x, origin.y + c.y + c.height / 2};
  }
  ADD_FAILURE() << "no control " << controlId;
  return origin;
}

// Where the preview on the screen differs from the picture, as a message;
// "" when every pixel matches.
std::string previewDifference(const XSession& x, Point at, const Picture& expected) {
  const ScreenShot shot = x.screenShot(at.x, at.y, expected.width, expected.height);
  if (shot.width != expected.width || shot.height != expected.height) return "the screen could not be read";
  int differing = 0;
  std::string first;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      const std::uint32_t seen = shot.at(x, y);
      if (seen == expected.at(x, y)) continue;
      if (differing++ == 0) {
        char text[96];
        std::snprintf(text, sizeof text, "first at (%d, %d): 0x%06X on screen, 0x%06X expected", x, y, seen,
                      expected.at(x, y));
        first = text;
      }
    }
  }
  return differing ? std::to_string(differing) + " pixels differ, " + first : "";
}

class EndToEnd : public ::testing::Test {
 protected:
  std::filesystem::path folder_;
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "zelvane-e2e-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    enableJpegDecoder();
  }
  void TearDown() override {
    releaseAllImages();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
};

TEST_F(EndToEnd, OpenTickRedTestAndSave) {
  XSession x;
  ASSERT_TRUE(x.running()) << "Xvfb did not start";
  // Fits the preview box, so what the screen shows is the picture itself.
  const Picture picture = blockPicture(208, 144);
  const std::string picturePath = (folder_ / "flowers.bmp").string();
  writeBmp(picturePath, picture);

  ASSERT_GT(x.start(ZELVANE_BINARY, folder_.string()), 0);
  const std::string window = x.waitForWindow("^Zelvane v 0.1 $", 30);
  ASSERT_FALSE(window.empty()) << "the main window did not appear";
  const std::string geometry = x.run("xdotool getwindowgeometry --shell " + window);
  Point origin{-1, -1};
  std::sscanf(geometry.c_str() + geometry.find("X="), "X=%d", &origin.x);
  std::sscanf(geometry.c_str() + geometry.find("Y="), "Y=%d", &origin.y);
  ASSERT_GE(origin.x, 0) << geometry;

  auto click = [&](int control, int button = 1) {
    const Point p = clickPointOf(control, origin);
    x.run("xdotool mousemove --sync " + std::to_string(p.x) + " " + std::to_string(p.y) + " click " +
          std::to_string(button));
  };
  // Types into the dialog once it has the keyboard, then waits for it to go.
  auto answerDialog = [&](const std::string& title, const std::string& typed) {
    const std::string dialog = x.waitForWindow("^" + title + "$", 20);
    ASSERT_FALSE(dialog.empty()) << "no dialog \"" << title << "\"";
    x.run("xdotool windowfocus --sync " + dialog);
    x.run("xdotool type --delay 10 '" + typed + "'");
    x.run("xdotool key Return");
    EXPECT_TRUE(waitUntil([&] { return !x.windowVisible("^" + title + "$"); }, 20s))
        << "dialog \"" << title << "\" stayed open";
  };

  click(BrowseButton);
  answerDialog("SELECT IMAGE", picturePath);
  const Point previewAt{origin.x + 380, origin.y + 40};
  std::string difference;
  EXPECT_TRUE(waitUntil([&] { return (difference = previewDifference(x, previewAt, picture)).empty(); }, 10s))
      << "opened preview: " << difference;

  click(KeepRed);
  click(TestButton);
  FilterSettings redOnly;
  redOnly.keep[static_cast<int>(ColorClass::Red)] = true;
  const Picture expected = filtered(picture, redOnly);
  EXPECT_TRUE(waitUntil([&] { return (difference = previewDifference(x, previewAt, expected)).empty(); }, 10s))
      << "tested preview: " << difference;

  click(SaveButton);
  const std::filesystem::path saved = folder_ / "red only.jpg";
  answerDialog("Please select the file to save", (folder_ / "red only").string());
  ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(saved); }, 20s)) << "nothing was saved";
  expectDecodesClose(saved.string(), expected);
}

}  // namespace
}  // namespace zelvane
