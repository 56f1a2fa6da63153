#pragma once
// The screen as Qt reads it.
#include "platform/screen.h"

namespace zelvane {

class QtScreen final : public Screen {
 public:
  // `readScreen` false acts as on a display that forbids reading the screen.
  explicit QtScreen(bool readScreen = true) : readScreen_(readScreen) {}

  bool cursorPosition(ScreenPoint& point) override;
  // Reads the screen where the display allows it; where it does not (Wayland),
  // reads the program's own window when the point lies over one.
  std::uint32_t pixelColor(ScreenPoint point) override;

 private:
  bool readScreen_;
};

}  // namespace zelvane
