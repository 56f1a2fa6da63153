#pragma once
// Reading the screen: where the cursor is and what color a screen pixel shows.
#include <cstdint>

namespace zelvane {

inline constexpr std::uint32_t kUnreadablePixel = 4294967295u;

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

class Screen {
 public:
  virtual ~Screen() = default;
  // The cursor position in screen coordinates; false (point untouched) when it
  // cannot be read.
  virtual bool cursorPosition(ScreenPoint& point) = 0;
  // The PackedColor shown at that screen point, or kUnreadablePixel.
  virtual std::uint32_t pixelColor(ScreenPoint point) = 0;
};

// The screen in use; until one is installed every read fails.
Screen& screen();
void installScreen(Screen* screen);

}  // namespace zelvane
