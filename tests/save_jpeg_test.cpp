// The Save command against scripted dialogs, a recording window and real
// files: the naming rules, the refusals, the cancel, and what is written.
#include "image/save_jpeg.h"

#include <gtest/gtest.h>

#include "command_harness.h"

namespace zelvane {
namespace {

using namespace testing_support;

constexpr const char* kTaken = "Sorry, but that name is already taken!";

// The markers of the file up to the start of the scan, and the frame header.
struct JpegLayout {
  std::vector<int> markers;
  int width = 0, height = 0;
  std::vector<int> sampling;  // per component, 0xHV
};

JpegLayout layoutOf(const std::string& bytes) {
  JpegLayout layout;
  auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  std::size_t i = 2;
  if (bytes.size() < 2 || at(0) != 0xFF || at(1) != 0xD8) return layout;
  layout.markers.push_back(0xD8);
  while (i + 4 <= bytes.size() && at(i) == 0xFF) {
    const int marker = at(i + 1);
    const std::size_t length = at(i + 2) * 256u + at(i + 3);
    layout.markers.push_back(marker);
    if (marker == 0xC0 && i + 4 + 6 <= bytes.size()) {
      layout.height = at(i + 5) * 256 + at(i + 6);
      layout.width = at(i + 7) * 256 + at(i + 8);
      for (int c = 0; c < at(i + 9) && i + 11 + 3 * c < bytes.size(); ++c)
        layout.sampling.push_back(at(i + 11 + 3 * c));
    }
    if (marker == 0xDA) break;
    i += 2 + length;
  }
  return layout;
}

class SaveJpeg : public CommandTest {
 protected:
  const Picture picture_ = blockPicture(208, 144);

  void SetUp() override {
    CommandTest::SetUp();
    writeBmp(folder_ / "source.bmp", picture_);
    openThroughDialog(pathOf("source.bmp"));
    ASSERT_EQ(pictureOf(SourceImage), picture_);
    std::filesystem::create_directory(folder_ / "out");
  }
  std::string outPath(const std::string& name) const { return pathOf("out/" + name); }
};

struct NamingCase {
  const char* typed;             // under out/
  std::vector<std::string> folders;  // made under out/ first
  std::vector<std::string> files;    // made under out/ first, non-empty
  std::vector<std::string> emptyFiles;
  const char* written;           // under out/; nullptr when refused
  const char* savePathAfter;     // under out/
};

const NamingCase kNamingCases[] = {
    {"photo.JPG", {}, {}, {}, "photo.JPG", "photo.JPG"},
    {"photo.jpg", {}, {}, {}, "photo.jpg", "photo.jpg"},
    {"my photo.jpg", {}, {}, {}, "my photo.jpg", "my photo.jpg"},
    {"photo.Jpg", {}, {}, {}, "photo.Jpg", "photo.Jpg"},
    {"photo", {}, {}, {}, "photo.jpg", "photo.jpg"},
    {"photo.jpeg", {}, {}, {}, "photo.jpeg.jpg", "photo.jpeg.jpg"},
    {"photo.png", {}, {}, {}, "photo.png.jpg", "photo.png.jpg"},
    {"photo.", {}, {}, {}, "photo..jpg", "photo..jpg"},
    {"photo.j pg", {}, {}, {}, "photo.j pg.jpg", "photo.j pg.jpg"},
    {"pics.old/photo", {"pics.old"}, {}, {}, "pics.old/photo.jpg", "pics.old/photo.jpg"},
    {"sub/.jpg", {"sub"}, {}, {}, "sub/.jpg.jpg", "sub/.jpg.jpg"},
    {"what*is?.jpg", {}, {}, {}, "what*is?.jpg", "what*is?.jpg"},
    // Something already there is never replaced.
    {"taken.jpg", {}, {"taken.jpg"}, {}, nullptr, "taken.jpg"},
    {"empty.jpg", {}, {}, {"empty.jpg"}, nullptr, "empty.jpg"},
    {"folder", {"folder"}, {}, {}, nullptr, "folder"},
    {"folder/", {"folder"}, {}, {}, nullptr, "folder/"},
    {"photo", {}, {"photo.jpg"}, {}, nullptr, "photo.jpg"},
    {"photo.png", {}, {"photo.png.jpg"}, {}, nullptr, "photo.png.jpg"},
    {"photo", {"photo.jpg"}, {}, {}, nullptr, "photo.jpg"},
};

TEST_F(SaveJpeg, NamesAreExtendedAndTakenNamesRefused) {
  const FilterSettings settings = keepAllBut({ColorClass::Red});
  toolkit_.tickAllClassesBut({KeepRed});
  int caseNumber = 0;
  for (const NamingCase& c : kNamingCases) {
    SCOPED_TRACE(testing::Message() << "typed \"" << c.typed << "\"");
    // Each case in a fresh folder, on a fresh picture.
    const std::filesystem::path base = folder_ / ("case" + std::to_string(caseNumber++));
    std::filesystem::create_directory(base);
    for (const std::string& f : c.folders) std::filesystem::create_directories(base / f);
    for (const std::string& f : c.files) writeText(base / f, "already here");
    for (const std::string& f : c.emptyFiles) writeText(base / f, "");
    const auto before = listing(base);
    openThroughDialog(pathOf("source.bmp"));
    dialogs_.messages.clear();

    saveThroughDialog((base / c.typed).string());

    EXPECT_EQ(savePath, (base / c.savePathAfter).string());
    auto after = listing(base);
    if (c.written) {
      EXPECT_TRUE(dialogs_.messages.empty());
      auto expectedListing = before;
      expectedListing.push_back(c.written);
      std::sort(expectedListing.begin(), expectedListing.end());
      EXPECT_EQ(after, expectedListing);
      EXPECT_EQ(pictureOf(SourceImage), filtered(picture_, settings));
      expectDecodesClose((base / c.written).string(), filtered(picture_, settings));
    } else {
      ASSERT_EQ(dialogs_.messages.size(), 1u);
      EXPECT_EQ(dialogs_.messages[0].title, "Information");
      EXPECT_EQ(dialogs_.messages[0].text, kTaken);
      EXPECT_EQ(dialogs_.messages[0].flags, 16);
      EXPECT_EQ(after, before);
      for (const std::string& f : c.files) EXPECT_EQ(readBytes(base / f), "already here");
      for (const std::string& f : c.emptyFiles) EXPECT_EQ(readBytes(base / f), "");
      EXPECT_EQ(pictureOf(SourceImage), picture_) << "nothing is filtered";
    }
  }
}

TEST_F(SaveJpeg, TheFirstDialogProposesNothing) {
  saveThroughDialog("");
  ASSERT_EQ(dialogs_.requests.size(), 2u);
  const FileDialogRequest& request = dialogs_.requests[1];
  EXPECT_EQ(request.mode, FileDialogMode::Save);
  EXPECT_EQ(request.title, "Please select the file to save");
  ASSERT_EQ(request.filters.size(), 1u);
  EXPECT_EQ(request.filters[0].description, "Image (*.jpg)");
  EXPECT_EQ(request.filters[0].patterns, "*.jpg");
  EXPECT_EQ(request.startFolder, "");
  EXPECT_EQ(request.proposedName, "");
}

TEST_F(SaveJpeg, TheSecondDialogProposesTheNameWrittenAndRefusesIt) {
  toolkit_.tickAllClassesBut({KeepRed});
  saveThroughDialog(outPath("photo"));
  const std::string written = readBytes(outPath("photo.jpg"));
  ASSERT_FALSE(written.empty());

  toolkit_.tickAllClassesBut({KeepGreen});
  saveThroughDialog(outPath("photo.jpg"));

  EXPECT_EQ(dialogs_.requests.back().startFolder, pathOf("out"));
  EXPECT_EQ(dialogs_.requests.back().proposedName, "photo.jpg");
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].text, kTaken);
  EXPECT_EQ(dialogs_.messages[0].flags, 16);
  EXPECT_EQ(readBytes(outPath("photo.jpg")), written);
  EXPECT_EQ(pictureOf(SourceImage), filtered(picture_, keepAllBut({ColorClass::Red})));
  // The refused name stays proposed.
  saveThroughDialog("");
  EXPECT_EQ(dialogs_.requests.back().proposedName, "photo.jpg");
}

TEST_F(SaveJpeg, CancelFiltersNothingAndResetShowsThePictureUnfiltered) {
  toolkit_.tickAllClassesBut({KeepRed});
  saveThroughDialog("");

  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_EQ(dialogs_.messages[0].title, "Information");
  EXPECT_EQ(dialogs_.messages[0].text, "Request canceled");
  EXPECT_EQ(dialogs_.messages[0].flags, 0);
  EXPECT_EQ(savePath, "");
  EXPECT_EQ(pictureOf(SourceImage), picture_);
  EXPECT_EQ(listing(folder_ / "out"), std::vector<std::string>{});

  resetPreview();
  EXPECT_EQ(pictureOf(PreviewImage), picture_);
  saveThroughDialog("");
  EXPECT_EQ(dialogs_.requests.back().startFolder, "");
  EXPECT_EQ(dialogs_.requests.back().proposedName, "");
}

TEST_F(SaveJpeg, SavingTwiceAccumulatesAndResetShowsTheFilteredSource) {
  const Picture preview = pictureOf(PreviewImage);
  toolkit_.tickAllClassesBut({KeepRed});
  saveThroughDialog(outPath("first.jpg"));
  EXPECT_EQ(pictureOf(PreviewImage), preview) << "Save leaves the preview alone";
  toolkit_.tickAllClassesBut({KeepGreen});
  saveThroughDialog(outPath("second.jpg"));

  const Picture once = filtered(picture_, keepAllBut({ColorClass::Red}));
  const Picture twice = filtered(once, keepAllBut({ColorClass::Green}));
  ASSERT_NE(once, twice);
  expectDecodesClose(outPath("first.jpg"), once);
  expectDecodesClose(outPath("second.jpg"), twice);
  EXPECT_TRUE(dialogs_.messages.empty());

  resetPreview();
  EXPECT_EQ(pictureOf(PreviewImage), twice);
}

TEST_F(SaveJpeg, SavedFileIsABaselineJfifAtFullSize) {
  writeBmp(folder_ / "big.bmp", blockPicture(800, 600));
  openThroughDialog(pathOf("big.bmp"));
  toolkit_.tickAllClassesBut({KeepBlue});
  saveThroughDialog(outPath("big"));

  const JpegLayout layout = layoutOf(readBytes(outPath("big.jpg")));
  const std::vector<int> markers = {0xD8, 0xE0, 0xDB, 0xDB, 0xC0, 0xC4, 0xC4, 0xC4, 0xC4, 0xDA};
  EXPECT_EQ(layout.markers, markers);
  EXPECT_EQ(layout.width, 800);
  EXPECT_EQ(layout.height, 600);
  EXPECT_EQ(layout.sampling, (std::vector<int>{0x22, 0x11, 0x11}));
  expectDecodesClose(outPath("big.jpg"), filtered(blockPicture(800, 600), keepAllBut({ColorClass::Blue})));
}

TEST_F(SaveJpeg, WithNoPictureNothingIsWrittenAndTheNextDialogProposesTheExtendedName) {
  releaseAllImages();
  saveThroughDialog(outPath("x"));

  EXPECT_EQ(listing(folder_ / "out"), std::vector<std::string>{});
  EXPECT_TRUE(dialogs_.messages.empty());
  saveThroughDialog("");
  EXPECT_EQ(dialogs_.requests.back().startFolder, pathOf("out"));
  EXPECT_EQ(dialogs_.requests.back().proposedName, "x.jpg");
}

TEST_F(SaveJpeg, AFailedWriteIsSilentAndLeavesNothing) {
  toolkit_.tickAllClassesBut({KeepRed});
  saveThroughDialog(pathOf("no-such-folder/photo.jpg"));

  EXPECT_TRUE(dialogs_.messages.empty());
  EXPECT_FALSE(std::filesystem::exists(folder_ / "no-such-folder"));
  EXPECT_EQ(listing(folder_ / "out"), std::vector<std::string>{});
}

struct ExtensionCase {
  const char* path;
  const char* extension;
};

TEST(ExtensionOf, LastPartAfterTheLastDot) {
  const ExtensionCase cases[] = {
      {"photo.jpg", "jpg"},          {"photo.JPG", "JPG"},
      {"my photo.jpg", "jpg"},       {"photo.jpeg", "jpeg"},
      {"photo.", ""},                {"photo.j pg", ""},
      {"photo", ""},                 {".jpg", ""},
      {"/pics/.jpg", ""},            {"/pics.old/photo", ""},
      {"C:\\pics.old\\photo", ""},   {"C:\\pics\\.jpg", ""},
      {"a\\b.png", "png"},           {"photo.jpg\"x", "jpg"},
      {"", ""},                      {"/a/b.tar.gz", "gz"},
  };
  for (const ExtensionCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(extensionOf(c.path), c.extension);
  }
}

}  // namespace
}  // namespace zelvane
