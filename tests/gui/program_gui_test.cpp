// The real program, started as the user starts it, on the test's display.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>

#include "platform/qt/program_icon.h"
#include "x_client.h"

namespace zelvane {
namespace {

TEST(ProgramGuiTest, ClosesWithExitCodeZeroWhenTheWindowSystemAsksTheWindowToClose) {
  QProcess program;
  program.setProcessChannelMode(QProcess::ForwardedChannels);
  program.start(ZELVANE_BINARY, {});
  ASSERT_TRUE(program.waitForStarted(5000));
  const unsigned long window = findWindowByName("Zelvane v 0.1 ", 20000);
  ASSERT_NE(window, 0ul);
  // Still running: the window stays until it is asked to close.
  EXPECT_FALSE(program.waitForFinished(300));
  ASSERT_TRUE(sendDeleteWindow(window));
  ASSERT_TRUE(program.waitForFinished(20000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
}

TEST(ProgramGuiTest, WithoutADisplayTheProgramSaysSoAndEndsWithOne) {
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
  program.setProcessEnvironment(environment);
  program.start(ZELVANE_BINARY, {});
  ASSERT_TRUE(program.waitForFinished(20000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 1);
  EXPECT_TRUE(program.readAllStandardError().contains("no display"));
}

TEST(ProgramGuiTest, CommittedIconFileIsTheIconTheProgramDraws) {
  const QImage drawn = drawProgramIcon();
  const QImage committed =
      QImage(ZELVANE_SOURCE_DIR "/data/zelvane.png").convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(drawn.size(), QSize(48, 48));
  ASSERT_EQ(committed.size(), drawn.size()) << "run `make icon` after changing the icon";
  int worst = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 48; ++x) {
      const QRgb a = drawn.pixel(x, y), b = committed.pixel(x, y);
      worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                        std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
    }
  }
  EXPECT_LE(worst, 2) << "run `make icon` after changing the icon";
}

TEST(ProgramGuiTest, IconIsARingOfSevenColorsOnAGrayWheel) {
  const QImage icon = drawProgramIcon();
  EXPECT_EQ(icon.depth(), 32);
  EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);  // transparent corner
  // Around the ring, clockwise from the top: red, orange, ..., blue, violet.
  struct Sample {
    const char* name;
    QPoint at;
    QRgb color;
  };
  const Sample samples[] = {
      {"red", {29, 12}, qRgb(230, 30, 30)},   {"orange", {36, 21}, qRgb(245, 140, 20)},
      {"green", {24, 36}, qRgb(40, 180, 60)}, {"blue", {11, 21}, qRgb(40, 80, 220)},
      {"violet", {18, 12}, qRgb(140, 50, 200)},
  };
  for (const Sample& sample : samples) {
    SCOPED_TRACE(sample.name);
    const QRgb pixel = icon.pixel(sample.at);
    EXPECT_EQ(qAlpha(pixel), 255);
    EXPECT_NEAR(qRed(pixel), qRed(sample.color), 12);
    EXPECT_NEAR(qGreen(pixel), qGreen(sample.color), 12);
    EXPECT_NEAR(qBlue(pixel), qBlue(sample.color), 12);
  }
  // The wheel shows gray between the ring and its rim, and in its teeth.
  for (QPoint gray : {QPoint(24, 4), QPoint(4, 24), QPoint(24, 24 + 5)}) {
    const QRgb pixel = icon.pixel(gray);
    EXPECT_EQ(qAlpha(pixel), 255);
    EXPECT_EQ(qRed(pixel), qGreen(pixel));
    EXPECT_EQ(qGreen(pixel), qBlue(pixel));
  }
}

}  // namespace
}  // namespace zelvane
