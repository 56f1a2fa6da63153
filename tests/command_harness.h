#pragma once
// What the command tests run against: scripted file dialogs that record every
// request and message box, a toolkit that records what the window was told
// and answers check-box reads from the test, the real image facility with the
// JPEG codecs, and a temporary folder for real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "color/color_classes.h"
#include "color/screen_sample.h"
#include "image/codecs.h"
#include "image/image_store.h"
#include "image/save_jpeg.h"
#include "platform/dialogs.h"
#include "platform/image_facility.h"
#include "platform/toolkit.h"
#include "ui/main_window.h"

namespace zelvane::testing_support {

struct ShownMessage {
  std::string title;
  std::string text;
  int flags = 0;
};

class ScriptedDialogs final : public Dialogs {
 public:
  // Answers for the next file dialogs, in order; "" is a cancel.
  std::deque<std::string> answers;
  std::vector<FileDialogRequest> requests;
  std::vector<ShownMessage> messages;

  std::string chooseFilePath(const FileDialogRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) {
      ADD_FAILURE() << "a file dialog opened that the test did not expect: " << request.title;
      return "";
    }
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
  }
  int messageBox(const std::string& title, const std::string& text, int flags) override {
    messages.push_back({title, text, flags});
    return 1;
  }
};

class RecordingToolkit final : public Toolkit {
 public:
  std::map<int, int> ticked;  // check-box id -> 1 when ticked
  std::string pathText;
  int pathTextCalls = 0;
  const ImageBuffer* previewShown = nullptr;
  int previewCalls = 0;
  std::optional<std::int32_t> swatch;  // unset until the swatch is colored

  void tickOnly(std::initializer_list<int> ids) {
    ticked.clear();
    for (int id : ids) ticked[id] = 1;
  }
  void tickAllClassesBut(std::initializer_list<int> unticked) {
    ticked.clear();
    for (int id = KeepRed; id <= KeepViolet; ++id) ticked[id] = 1;
    for (int id : unticked) ticked[id] = 0;
  }

  bool createWindow(const WindowSpec&) override { return true; }
  void createControl(const ControlSpec&) override {}
  void setControlEnabled(int, bool) override {}
  void setControlImage(int id, const ImageBuffer* image) override {
    if (id != PreviewView) return;
    previewShown = image;
    ++previewCalls;
  }
  void setControlText(int id, const std::string& text) override {
    if (id != PathField) return;
    pathText = text;
    ++pathTextCalls;
  }
  int checkState(int id) override {
    auto it = ticked.find(id);
    return it == ticked.end() ? 0 : it->second;
  }
  void setControlBackground(int id, std::int32_t color) override {
    if (id == SampleSwatch) swatch = color;
  }
  void destroyWindow() override {}
  UiEvent waitEvent() override { return UiEvent{CloseRequest, 0, MainWindow}; }
  void setBusy(bool) override {}
};

// A picture as plain pixels, row by row, top row first.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<PackedColor> pixels;

  PackedColor at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Colors of every class, a gray and a hue near the blue/violet border, laid
// out in 16 x 16 blocks so that JPEG's 4:2:0 blocks never straddle two colors.
inline constexpr PackedColor kBlockColors[] = {
    makeColor(255, 0, 0),   makeColor(255, 140, 0), makeColor(240, 220, 0),
    makeColor(0, 200, 0),   makeColor(0, 200, 200), makeColor(0, 0, 255),
    makeColor(160, 0, 200), makeColor(128, 128, 128), makeColor(1, 0, 24),
};

inline Picture blockPicture(int width, int height) {
  Picture picture{width, height, {}};
  constexpr int count = sizeof(kBlockColors) / sizeof(kBlockColors[0]);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.pixels.push_back(kBlockColors[(x / 16 + 3 * (y / 16)) % count]);
  return picture;
}

inline Picture pictureOf(int number) {
  Picture picture{imageWidth(number), imageHeight(number), {}};
  if (!beginDrawing(number)) return picture;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) picture.pixels.push_back(readPixel(x, y));
  endDrawing();
  return picture;
}

inline Picture filtered(Picture picture, const FilterSettings& settings) {
  for (PackedColor& c : picture.pixels) c = filteredColor(c, settings);
  return picture;
}

inline FilterSettings keepAllBut(std::initializer_list<ColorClass> dropped) {
  FilterSettings settings;
  settings.keep.fill(true);
  for (ColorClass c : dropped) settings.keep[static_cast<std::size_t>(c)] = false;
  return settings;
}

inline bool operator==(const Picture& a, const Picture& b) {
  return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

inline void PrintTo(const Picture& p, std::ostream* os) {
  *os << p.width << " x " << p.height << " picture";
}

// Writes a 24-bit bottom-up BMP file.
inline void writeBmp(const std::filesystem::path& path, const Picture& picture) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(picture.width) * 3 + 3) & ~3u;
  const std::uint32_t dataSize = rowBytes * static_cast<std::uint32_t>(picture.height);
  std::vector<std::uint8_t> file(54 + dataSize, 0);
  auto put16 = [&](std::size_t at, std::uint32_t v) {
    file[at] = static_cast<std::uint8_t>(v);
    file[at + 1] = static_cast<std::uint8_t>(v >> 8);
  };
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<std::uint32_t>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(picture.width));
  put32(22, static_cast<std::uint32_t>(picture.height));
  put16(26, 1);
  put16(28, 24);
  put32(34, dataSize);
  for (int y = 0; y < picture.height; ++y) {
    std::uint8_t* row = file.data() + 54 + static_cast<std::size_t>(picture.height - 1 - y) * rowBytes;
    for (int x = 0; x < picture.width; ++x) {
      const PackedColor c = picture.at(x, y);
      row[3 * x] = static_cast<std::uint8_t>(blueOf(c));
      row[3 * x + 1] = static_cast<std::uint8_t>(greenOf(c));
      row[3 * x + 2] = static_cast<std::uint8_t>(redOf(c));
    }
  }
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                              static_cast<std::streamsize>(file.size()));
}

inline void writeText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every entry under the folder, as paths relative to it, sorted.
inline std::vector<std::string> listing(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    names.push_back(std::filesystem::relative(entry.path(), folder).string());
  std::sort(names.begin(), names.end());
  return names;
}

// The decoded file against the expected picture. The blocks of the test
// pictures are aligned to JPEG's 16 x 16 blocks, so away from their edges
// quality 80 keeps every channel within a few levels; at the edges the
// halved color resolution blurs neighbouring blocks into each other.
inline void expectDecodesClose(const std::string& path, const Picture& expected) {
  constexpr int kDecoded = 6;
  ASSERT_NE(loadImageFile(kDecoded, path), nullptr) << path;
  const Picture decoded = pictureOf(kDecoded);
  releaseImage(kDecoded);
  ASSERT_EQ(decoded.width, expected.width);
  ASSERT_EQ(decoded.height, expected.height);
  int worst = 0;
  long long total = 0, count = 0;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      if (x % 16 < 2 || x % 16 > 13 || y % 16 < 2 || y % 16 > 13) continue;
      const PackedColor a = decoded.at(x, y);
      const PackedColor b = expected.at(x, y);
      const int diff = std::max({std::abs(redOf(a) - redOf(b)), std::abs(greenOf(a) - greenOf(b)),
                                 std::abs(blueOf(a) - blueOf(b))});
      worst = std::max(worst, diff);
      total += diff;
      ++count;
    }
  }
  EXPECT_LE(worst, 8) << path;
  EXPECT_LE(static_cast<double>(total) / count, 2.0) << path;
}

// Installs the scripted dialogs and the recording toolkit over the real
// facility, with the program state as at start-up and a fresh folder.
class CommandTest : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs_;
  RecordingToolkit toolkit_;
  std::filesystem::path folder_;

  void SetUp() override {
    installDialogs(&dialogs_);
    installToolkit(&toolkit_);
    releaseAllImages();
    enableJpegDecoder();
    enableJpegEncoder();
    PreviewBoxWidth = 380;
    PreviewBoxHeight = 295;
    openPath = "";
    savePath.reset();
    hueBand = {};
    std::string pattern = (std::filesystem::temp_directory_path() / "zelvane-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    installDialogs(nullptr);
    installToolkit(nullptr);
    releaseAllImages();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  std::string pathOf(const std::string& name) const { return (folder_ / name).string(); }

  // Opens the file through the Open command with the dialog answering `path`.
  void openThroughDialog(const std::string& path) {
    dialogs_.answers.push_back(path);
    openImage(openPath);
  }
  void saveThroughDialog(const std::string& path) {
    dialogs_.answers.push_back(path);
    saveAsJpeg();
  }
};

}  // namespace zelvane::testing_support
