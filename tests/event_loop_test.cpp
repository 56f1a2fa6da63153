// The event loop and MainWindow's operations against a recording toolkit: the
// routing table, the order of start-up and closing, and what each operation
// asks of the toolkit.
#include "ui/event_loop.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "image/image_store.h"
#include "support/recording_toolkit.h"
#include "ui/main_window.h"

namespace zelvane {
namespace {

TEST(RouteEventTest, EachEventGoesToTheFirstMatchingRow) {
  struct Case {
    UiEvent event;
    LoopAction action;
  };
  const Case cases[] = {
      {{RightButtonDown, 0, 0}, LoopAction::SampleColor},
      {{RightButtonDown, 9, 3}, LoopAction::SampleColor},  // control and window mean nothing
      {{ControlEvent, TestButton, 0}, LoopAction::Test},
      {{ControlEvent, SaveButton, 0}, LoopAction::Save},
      {{ControlEvent, BrowseButton, 0}, LoopAction::Open},
      {{ControlEvent, ResetButton, 0}, LoopAction::Reset},
      {{ControlEvent, PreviewView, 0}, LoopAction::Ignore},
      {{ControlEvent, ClassFrame, 0}, LoopAction::Ignore},
      {{ControlEvent, KeepRed, 0}, LoopAction::Ignore},
      {{ControlEvent, KeepViolet, 0}, LoopAction::Ignore},
      {{ControlEvent, PathField, 0}, LoopAction::Ignore},
      {{ControlEvent, SampleSwatch, 0}, LoopAction::Ignore},
      {{ControlEvent, CorrectionCheck, 0}, LoopAction::Ignore},
      {{ControlEvent, 16, 0}, LoopAction::Ignore},
      {{ControlEvent, -1, 0}, LoopAction::Ignore},
      {{CloseRequest, 0, 0}, LoopAction::Close},
      {{CloseRequest, TestButton, 0}, LoopAction::Close},
      {{CloseRequest, 0, 1}, LoopAction::Ignore},
      {{CloseRequest, 0, -1}, LoopAction::Ignore},
      {{517, 0, 0}, LoopAction::Ignore},    // right-button release
      {{518, 0, 0}, LoopAction::Ignore},    // right double click
      {{513, 9, 0}, LoopAction::Ignore},    // left press, even with a control number
      {{0, 0, 0}, LoopAction::Ignore},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.event.kind << " control " << c.event.control
                                    << " window " << c.event.window);
    EXPECT_EQ(routeEvent(c.event), c.action);
  }
}

class MainLoopTest : public ::testing::Test {
 protected:
  void SetUp() override { installToolkit(&toolkit_); }
  void TearDown() override { installToolkit(nullptr); }

  std::vector<std::string> callsAfterBuilding() const {
    const auto first = std::find(toolkit_.calls.begin(), toolkit_.calls.end(), "waitEvent");
    return {first, toolkit_.calls.end()};
  }

  RecordingToolkit toolkit_;
};

TEST_F(MainLoopTest, BuildsTheWindowThenItsControlsInTableOrderWithTheViewDisabled) {
  toolkit_.script = {{CloseRequest, 0, 0}};
  openPath = "left over";
  EXPECT_EQ(runMainWindow(), 0);
  EXPECT_EQ(PreviewBoxWidth, 380);
  EXPECT_EQ(PreviewBoxHeight, 295);
  EXPECT_EQ(openPath, "");

  const std::vector<std::string> expected = {
      "createWindow",     "createControl 0",  "disable 0",        "createControl 1",
      "createControl 2",  "createControl 15", "createControl 14", "createControl 3",
      "createControl 4",  "createControl 5",  "createControl 6",  "createControl 7",
      "createControl 8",  "createControl 9",  "createControl 11", "createControl 13",
      "createControl 10", "createControl 12", "waitEvent",        "destroyWindow"};
  EXPECT_EQ(toolkit_.calls, expected);
  EXPECT_STREQ(toolkit_.window.title, "Zelvane v 0.1 ");
  EXPECT_EQ(toolkit_.window.x, 582);
  EXPECT_EQ(toolkit_.window.y, 17);
  EXPECT_EQ(toolkit_.window.clientWidth, 800);
  EXPECT_EQ(toolkit_.window.clientHeight, 380);
}

TEST_F(MainLoopTest, IgnoredEventsRunNothingAndTheLoopEndsOnlyForWindowZero) {
  toolkit_.script = {{ControlEvent, KeepRed, 0},    {ControlEvent, PathField, 0},
                     {CloseRequest, 0, 1},           {517, 0, 0},
                     {CloseRequest, 0, 0},           {ControlEvent, TestButton, 0}};
  EXPECT_EQ(runMainWindow(), 0);
  const std::vector<std::string> expected = {"waitEvent", "waitEvent", "waitEvent",
                                             "waitEvent", "waitEvent", "destroyWindow"};
  EXPECT_EQ(callsAfterBuilding(), expected);
  // The event after the close is never taken.
  ASSERT_EQ(toolkit_.script.size(), 1u);
}

TEST_F(MainLoopTest, CommandsRunUnderTheBusyPointerOneAtATime) {
  toolkit_.script = {{RightButtonDown, 0, 0}, {ControlEvent, ResetButton, 0}, {CloseRequest, 0, 0}};
  EXPECT_EQ(runMainWindow(), 0);
  std::vector<std::string> calls = callsAfterBuilding();
  // What the commands themselves ask of the toolkit is theirs; the loop's part
  // is the bracket around each.
  std::erase_if(calls, [](const std::string& c) {
    return c != "waitEvent" && c != "busy" && c != "idle" && c != "destroyWindow";
  });
  const std::vector<std::string> expected = {"waitEvent", "busy", "idle", "waitEvent", "busy",
                                             "idle",      "waitEvent", "destroyWindow"};
  EXPECT_EQ(calls, expected);
}

TEST_F(MainLoopTest, NoWindowMeansNoControlsNoLoopAndAFailureCode) {
  toolkit_.windowCanBeCreated = false;
  EXPECT_EQ(runMainWindow(), 1);
  EXPECT_EQ(toolkit_.calls, std::vector<std::string>{"createWindow"});
}

TEST_F(MainLoopTest, OperationsAddressTheirControls) {
  ImageBuffer image;
  setPreviewImage(&image);
  setPathText("/tmp/a picture.bmp");
  setSwatchColor(0x0000FF);
  toolkit_.ticks[KeepCyan] = 1;
  EXPECT_EQ(toolkit_.images[PreviewView], &image);
  EXPECT_EQ(toolkit_.texts[PathField], "/tmp/a picture.bmp");
  EXPECT_EQ(toolkit_.backgrounds[SampleSwatch], 0x0000FF);
  EXPECT_EQ(isTicked(KeepCyan), 1);
  EXPECT_EQ(isTicked(KeepBlue), 0);
  setSwatchColor(-1);
  EXPECT_EQ(toolkit_.backgrounds[SampleSwatch], kDefaultBackground);
}

}  // namespace
}  // namespace zelvane
