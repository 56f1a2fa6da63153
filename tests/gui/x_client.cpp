#include "x_client.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <thread>

namespace zelvane {
namespace {

Window findIn(Display* display, Window parent, const std::string& title) {
  Window root = 0, parentOut = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) return 0;
  Window found = 0;
  for (unsigned int i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) && name) {
      if (title == name) found = children[i];
      XFree(name);
    }
    if (!found) found = findIn(display, children[i], title);
  }
  if (children) XFree(children);
  return found;
}

}  // namespace

unsigned long findWindowByName(const std::string& title, int timeoutMs) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  Window found = 0;
  for (;;) {
    found = findIn(display, DefaultRootWindow(display), title);
    if (found || std::chrono::steady_clock::now() > end) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  XCloseDisplay(display);
  return found;
}

bool sendDeleteWindow(unsigned long window) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  XCloseDisplay(display);
  return true;
}

}  // namespace zelvane
