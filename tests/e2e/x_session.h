#pragma once
// A private X display for one test: its own Xvfb, programs started on it,
// xdotool commands, and the screen read back through xwd.
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zelvane::testing_support {

// Part of the screen as 0x00BBGGRR colors (red in the low byte), row by row.
struct ScreenShot {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

class XSession {
 public:
  XSession();
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  bool running() const { return serverPid_ > 0 && !display_.empty(); }
  const std::string& display() const { return display_; }

  // Starts a program on the display in `folder`; its process id or -1.
  pid_t start(const std::string& program, const std::string& folder);
  // Runs a shell command with DISPLAY set; its standard output.
  std::string run(const std::string& command, int* exitCode = nullptr) const;
  // The id of the first visible window whose name matches the pattern,
  // waiting up to `seconds`; "" when none appears.
  std::string waitForWindow(const std::string& namePattern, int seconds) const;
  bool windowVisible(const std::string& namePattern) const;
  // The screen's pixels in the rectangle; empty when it cannot be read.
  ScreenShot screenShot(int x, int y, int width, int height) const;

 private:
  pid_t serverPid_ = -1;
  std::string display_;
  std::vector<pid_t> programs_;
};

// Polls `done` every 50 ms until it holds or the time is up.
bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

}  // namespace zelvane::testing_support
