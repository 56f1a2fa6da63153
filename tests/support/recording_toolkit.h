#pragma once
// A toolkit without a display: it records every call and hands out scripted
// events, so the user interface code can be checked call by call.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/toolkit.h"

namespace zelvane {

class RecordingToolkit : public Toolkit {
 public:
  bool windowCanBeCreated = true;
  std::vector<std::string> calls;          // "createWindow", "createControl 2", ...
  std::deque<UiEvent> script;              // what waitEvent hands out
  std::map<int, int> ticks;                // check box id -> 1 when ticked
  std::map<int, std::int32_t> backgrounds;  // control id -> color
  std::map<int, std::string> texts;
  std::map<int, const ImageBuffer*> images;
  WindowSpec window{};
  std::vector<ControlSpec> controls;

  bool createWindow(const WindowSpec& layout) override {
    calls.push_back("createWindow");
    window = layout;
    return windowCanBeCreated;
  }
  void createControl(const ControlSpec& layout) override {
    calls.push_back("createControl " + std::to_string(layout.id));
    controls.push_back(layout);
  }
  void setControlEnabled(int id, bool enabled) override {
    calls.push_back((enabled ? "enable " : "disable ") + std::to_string(id));
  }
  void setControlImage(int id, const ImageBuffer* image) override {
    calls.push_back("setControlImage " + std::to_string(id));
    images[id] = image;
  }
  void setControlText(int id, const std::string& text) override {
    calls.push_back("setControlText " + std::to_string(id));
    texts[id] = text;
  }
  int checkState(int id) override { return ticks.count(id) ? ticks[id] : 0; }
  void setControlBackground(int id, std::int32_t color) override {
    calls.push_back("setControlBackground " + std::to_string(id));
    backgrounds[id] = color;
  }
  void destroyWindow() override { calls.push_back("destroyWindow"); }
  UiEvent waitEvent() override {
    calls.push_back("waitEvent");
    if (script.empty()) return UiEvent{CloseRequest, 0, 0};
    const UiEvent event = script.front();
    script.pop_front();
    return event;
  }
  void setBusy(bool busy) override { calls.push_back(busy ? "busy" : "idle"); }
};

}  // namespace zelvane
