#include "ui/event_loop.h"

#include <array>

#include "color/screen_sample.h"
#include "image/codecs.h"
#include "image/image_store.h"
#include "image/save_jpeg.h"
#include "platform/image_facility.h"
#include "ui/main_window.h"

namespace zelvane {
namespace {

constexpr int kAny = -1;

struct Route {
  int kind;
  int control;  // kAny, or the control a ControlEvent must come from
  int window;   // kAny, or the window a CloseRequest must be for
  LoopAction action;
};

// Every event that matches no row is ignored: the other controls, the other
// windows, every other kind.
constexpr std::array<Route, 6> kRoutes{{
    {RightButtonDown, kAny, kAny, LoopAction::SampleColor},
    {ControlEvent, TestButton, kAny, LoopAction::Test},
    {ControlEvent, SaveButton, kAny, LoopAction::Save},
    {ControlEvent, BrowseButton, kAny, LoopAction::Open},
    {ControlEvent, ResetButton, kAny, LoopAction::Reset},
    {CloseRequest, kAny, MainWindow, LoopAction::Close},
}};

bool matches(const Route& route, const UiEvent& event) {
  if (route.kind != event.kind) return false;
  if (route.control != kAny && route.control != event.control) return false;
  return route.window == kAny || route.window == event.window;
}

void runCommand(LoopAction action) {
  switch (action) {
    case LoopAction::SampleColor: sampleScreenColor(); break;
    case LoopAction::Test: testPreview(); break;
    case LoopAction::Save: saveAsJpeg(); break;
    case LoopAction::Open: openImage(openPath); break;
    case LoopAction::Reset: resetPreview(); break;
    case LoopAction::Ignore:
    case LoopAction::Close: break;
  }
}

}  // namespace

LoopAction routeEvent(const UiEvent& event) {
  for (const Route& route : kRoutes) {
    if (matches(route, event)) return route.action;
  }
  return LoopAction::Ignore;
}

UiEvent waitEvent() { return toolkit().waitEvent(); }

int runMainWindow() {
  PreviewBoxWidth = 380;
  PreviewBoxHeight = 295;
  openPath = "";
  if (!buildMainWindow()) return 1;

  for (;;) {
    const LoopAction action = routeEvent(waitEvent());
    if (action == LoopAction::Close) break;
    if (action == LoopAction::Ignore) continue;
    // A command runs to its end before the next event is taken.
    toolkit().setBusy(true);
    runCommand(action);
    toolkit().setBusy(false);
  }
  closeMainWindow();
  return 0;
}

int runEventLoop() {
  if (!startWindowSystem()) return 1;
  enableJpegDecoder();
  enableJpegEncoder();
  const int exitCode = runMainWindow();
  stopWindowSystem();
  releaseAllImages();
  return exitCode;
}

}  // namespace zelvane
