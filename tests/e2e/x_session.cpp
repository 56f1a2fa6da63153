#include "x_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>
#include <thread>

extern char** environ;

namespace zelvane::testing_support {
namespace {

int shiftOf(unsigned long mask) {
  int shift = 0;
  while (mask && !(mask & 1u)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

// A window that vanishes while it is read must not end the test.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

void stop(pid_t pid) {
  if (pid <= 0) return;
  ::kill(pid, SIGTERM);
  int status = 0;
  ::waitpid(pid, &status, 0);
}

}  // namespace

XSession::XSession() {
  int fds[2];
  if (::pipe(fds) != 0) return;
  const std::string fd = std::to_string(fds[1]);
  const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1600x1000x24",
                        "-nolisten", "tcp", nullptr};
  pid_t pid = -1;
  if (::posix_spawnp(&pid, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return;
  }
  ::close(fds[1]);
  serverPid_ = pid;
  // Xvfb writes its display number once it accepts clients.
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  while (::poll(&p, 1, 20000) > 0) {
    char c;
    if (::read(fds[0], &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  ::close(fds[0]);
  if (!number.empty()) display_ = ":" + number;
}

XSession::~XSession() {
  for (pid_t pid : programs_) stop(pid);
  stop(serverPid_);
}

pid_t XSession::start(const std::string& program, const std::string& folder) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    if (entry.rfind("DISPLAY=", 0) == 0 || entry.rfind("WAYLAND_DISPLAY=", 0) == 0 ||
        entry.rfind("QT_QPA_PLATFORM=", 0) == 0 || entry.rfind("XDG_RUNTIME_DIR=", 0) == 0)
      continue;
    env.push_back(entry);
  }
  env.push_back("DISPLAY=" + display_);
  env.push_back("QT_QPA_PLATFORM=xcb");
  env.push_back("XDG_RUNTIME_DIR=" + folder);
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string name = program;
  char* argv[] = {name.data(), nullptr};

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t pid = -1;
  const int failed = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (failed) return -1;
  programs_.push_back(pid);
  return pid;
}

std::string XSession::run(const std::string& command, int* exitCode) const {
  const std::string full = "DISPLAY=" + display_ + " " + command;
  FILE* pipe = ::popen(full.c_str(), "r");
  if (!pipe) return "";
  std::string out;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int status = ::pclose(pipe);
  if (exitCode) *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return out;
}

std::string XSession::waitForWindow(const std::string& namePattern, int seconds) const {
  const std::string out = run("timeout " + std::to_string(seconds) +
                              " xdotool search --sync --onlyvisible --name '" + namePattern + "'");
  return out.substr(0, out.find('\n'));
}

bool XSession::windowVisible(const std::string& namePattern) const {
  return !run("xdotool search --onlyvisible --name '" + namePattern + "' 2>/dev/null").empty();
}

ScreenShot XSession::screenShot(int x, int y, int width, int height) const {
  ScreenShot shot;
  Display* display = XOpenDisplay(display_.c_str());
  if (!display) return shot;
  XSetErrorHandler(ignoreXError);
  // The root window of a server without a compositor holds what the screen shows.
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (image) {
    const unsigned long masks[3] = {image->red_mask, image->green_mask, image->blue_mask};
    shot.width = width;
    shot.height = height;
    for (int row = 0; row < height; ++row) {
      for (int column = 0; column < width; ++column) {
        const unsigned long v = XGetPixel(image, column, row);
        std::uint32_t color = 0;
        for (int c = 0; c < 3; ++c) color |= static_cast<std::uint32_t>((v & masks[c]) >> shiftOf(masks[c]) & 255u) << (8 * c);
        shot.pixels.push_back(color);
      }
    }
    XDestroyImage(image);
  }
  XCloseDisplay(display);
  return shot;
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace zelvane::testing_support
