// The window tests run the real Qt layer on the display in DISPLAY (make test
// starts an Xvfb). Listing the tests needs no display.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
