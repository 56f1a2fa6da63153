#pragma once
// The program's one loop: start-up, waiting for events, routing each to its
// command, closing and shut-down.
#include "platform/toolkit.h"

namespace zelvane {

// What the loop does with one event.
enum class LoopAction { Ignore, SampleColor, Test, Save, Open, Reset, Close };

// The first row of the routing table that matches the event.
LoopAction routeEvent(const UiEvent& event);

// The next event, waiting for one when none is queued.
UiEvent waitEvent();

// The part of the program's life that runs on an installed toolkit: the
// program state, MainWindow, the loop until MainWindow is closed. The exit
// code: 0, or 1 when MainWindow cannot be built.
int runMainWindow();

// The whole life of the program: start-up, the loop, shut-down. The exit code.
int runEventLoop();

}  // namespace zelvane
