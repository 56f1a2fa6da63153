#include "ui/main_window.h"

#include <array>

namespace zelvane {
namespace {

constexpr WindowSpec kMainWindow{"Zelvane v 0.1 ", 582, 17, 800, 380};

constexpr ControlKind View = ControlKind::ImageView;
constexpr ControlKind Frame = ControlKind::GroupFrame;
constexpr ControlKind Check = ControlKind::CheckBox;
constexpr ControlKind Swatch = ControlKind::ColorSwatch;
constexpr ControlKind Button = ControlKind::PushButton;
constexpr ControlKind Field = ControlKind::ReadOnlyField;

// Creation order is also the Tab order.
constexpr std::array<ControlSpec, 16> kControls{{
    {PreviewView, "PreviewView", View, 380, 40, 380, 295, "", nullptr},
    {ClassFrame, "ClassFrame", Frame, 15, 5, 355, 235,
     "Select color          color correction (Use the right mouse button)", nullptr},
    {KeepRed, "KeepRed", Check, 35, 25, 170, 25, "Red", nullptr},
    {CorrectionCheck, "CorrectionCheck", Check, 205, 25, 75, 25, "color correction", nullptr},
    {SampleSwatch, "SampleSwatch", Swatch, 275, 25, 35, 25, "     ", nullptr},
    {KeepOrange, "KeepOrange", Check, 35, 55, 170, 25, "Orange", nullptr},
    {KeepYellow, "KeepYellow", Check, 35, 85, 170, 25, "Yellow", nullptr},
    {KeepGreen, "KeepGreen", Check, 35, 115, 170, 25, "Green", nullptr},
    {KeepCyan, "KeepCyan", Check, 35, 145, 170, 25, "Cyan", nullptr},
    {KeepBlue, "KeepBlue", Check, 35, 175, 170, 25, "Blue", nullptr},
    {KeepViolet, "KeepViolet", Check, 35, 205, 170, 25, "Violet", nullptr},
    {TestButton, "TestButton", Button, 35, 250, 160, 30, "Test", "View test"},
    {SaveButton, "SaveButton", Button, 15, 315, 355, 30, "Save", "Save to File"},
    {ResetButton, "ResetButton", Button, 195, 250, 160, 30, "Reset",
     "The initial state of the image"},
    {PathField, "PathField", Field, 385, 5, 320, 30, "", nullptr},
    {BrowseButton, "BrowseButton", Button, 720, 5, 45, 30, "...", "Open an image file"},
}};

}  // namespace

const WindowSpec& mainWindowSpec() { return kMainWindow; }
std::span<const ControlSpec> mainWindowControls() { return kControls; }

bool buildMainWindow() {
  if (!toolkit().createWindow(kMainWindow)) return false;
  for (const ControlSpec& control : kControls) {
    toolkit().createControl(control);
    // The view only shows the picture; presses over it belong to the window.
    if (control.id == PreviewView) toolkit().setControlEnabled(PreviewView, false);
  }
  return true;
}

void setPreviewImage(const ImageBuffer* image) { toolkit().setControlImage(PreviewView, image); }

void setPathText(const std::string& text) { toolkit().setControlText(PathField, text); }

int isTicked(int id) { return toolkit().checkState(id); }

void setSwatchColor(std::int32_t color) { toolkit().setControlBackground(SampleSwatch, color); }

void closeMainWindow() { toolkit().destroyWindow(); }

}  // namespace zelvane
