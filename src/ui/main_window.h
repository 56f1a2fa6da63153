#pragma once
// MainWindow, the program's only window (number 0), and the operations through
// which the commands act on its controls.
#include <cstdint>
#include <span>
#include <string>

#include "platform/image_buffer.h"
#include "platform/toolkit.h"

namespace zelvane {

inline constexpr int MainWindow = 0;

// The fixed numbers of the sixteen controls; they follow neither the creation
// order nor the layout.
enum ControlId : int {
  PreviewView = 0,
  ClassFrame = 1,
  KeepRed = 2,
  KeepOrange = 3,
  KeepYellow = 4,
  KeepGreen = 5,
  KeepCyan = 6,
  KeepBlue = 7,
  KeepViolet = 8,
  TestButton = 9,
  PathField = 10,
  SaveButton = 11,
  BrowseButton = 12,
  ResetButton = 13,
  SampleSwatch = 14,
  CorrectionCheck = 15,
};

// The window and its controls as data, the controls in creation order.
const WindowSpec& mainWindowSpec();
std::span<const ControlSpec> mainWindowControls();

// Creates and shows MainWindow, then its controls; false (and nothing made)
// when the window cannot be created.
bool buildMainWindow();
// PreviewView shows `image` (not copied) at its own size from now on; null
// keeps the view's size and shows nothing.
void setPreviewImage(const ImageBuffer* image);
void setPathText(const std::string& text);
// 1 when the check box `id` is ticked, else 0.
int isTicked(int id);
// A PackedColor, or -1 for the window's own background.
void setSwatchColor(std::int32_t color);
// Destroys MainWindow with its controls and drops its pending events.
void closeMainWindow();

}  // namespace zelvane
