#pragma once
// The windowing toolkit as the program sees it: one main window (number 0)
// holding controls addressed by their ids, and a queue of events. The real
// implementation is Qt's (platform/qt); tests install a recording one.
#include <cstdint>
#include <string>

#include "platform/image_buffer.h"

namespace zelvane {

enum UiEventKind : int {
  ControlEvent = 13100,    // a control reported a user action
  CloseRequest = 13116,    // the user asked to close a window
  RightButtonDown = 516,   // the right button went down in a window of ours
};

struct UiEvent {
  int kind = 0;
  int control = 0;  // for ControlEvent
  int window = 0;   // for ControlEvent and CloseRequest
};

enum class ControlKind { ImageView, GroupFrame, CheckBox, ColorSwatch, PushButton, ReadOnlyField };

struct ControlSpec {
  int id;
  const char* name;
  ControlKind kind;
  int x, y, width, height;
  const char* text;     // "" for none
  const char* tooltip;  // nullptr for none
};

struct WindowSpec {
  const char* title;
  int x, y;                       // top-left corner of the window on the screen
  int clientWidth, clientHeight;
};

inline constexpr std::int32_t kDefaultBackground = -1;

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // Creates and shows the main window; false when it cannot be made.
  virtual bool createWindow(const WindowSpec& layout) = 0;
  // Creates one control in the main window (creation order is tab order).
  virtual void createControl(const ControlSpec& layout) = 0;
  virtual void setControlEnabled(int id, bool enabled) = 0;
  // Shows `image` (not copied; null for none) in an image view, which takes
  // the image's size.
  virtual void setControlImage(int id, const ImageBuffer* image) = 0;
  virtual void setControlText(int id, const std::string& text) = 0;
  // 1 when the check box is ticked, else 0 (also for a missing control).
  virtual int checkState(int id) = 0;
  // A PackedColor, or kDefaultBackground for the window's own color.
  virtual void setControlBackground(int id, std::int32_t color) = 0;
  // Destroys the main window and drops the events still queued for it.
  virtual void destroyWindow() = 0;
  // The oldest queued event, waiting for one when none is queued.
  virtual UiEvent waitEvent() = 0;
  // The busy pointer while a command runs.
  virtual void setBusy(bool busy) = 0;
};

// The toolkit in use; a silent one that does nothing until one is installed.
Toolkit& toolkit();
// Installs a toolkit (not owned); null reinstalls the silent one.
void installToolkit(Toolkit* toolkit);

// Starts the window system and installs the real toolkit, dialogs and screen; false
// when no display can be used. An application object that already exists (a
// test's) is used, not replaced.
bool startWindowSystem();
// Uninstalls them and shuts down what startWindowSystem started.
void stopWindowSystem();

}  // namespace zelvane
