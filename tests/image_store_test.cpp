// The Open, Test and Reset commands against scripted dialogs, a recording
// window and real files.
#include "image/image_store.h"

#include <gtest/gtest.h>

#include "command_harness.h"

namespace zelvane {
namespace {

using namespace testing_support;

class ImageStore : public CommandTest {
 protected:
  // A picture that fits the preview box, so the preview is an exact copy.
  const Picture small_ = blockPicture(160, 96);
  const Picture other_ = blockPicture(48, 80);

  std::string writeSmall(const std::string& name = "small.bmp") {
    writeBmp(folder_ / name, small_);
    return pathOf(name);
  }

  void expectMessages(const std::vector<std::string>& texts) {
    ASSERT_EQ(dialogs_.messages.size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(dialogs_.messages[i].title, "Information");
      EXPECT_EQ(dialogs_.messages[i].text, texts[i]);
      EXPECT_EQ(dialogs_.messages[i].flags, 0);
    }
  }
};

TEST_F(ImageStore, OpeningAPictureShowsItsFittedCopy) {
  struct Case {
    const char* name;
    Picture picture;
    int previewWidth, previewHeight;
  };
  const Case cases[] = {
      {"fits.bmp", blockPicture(160, 96), 160, 96},
      {"wide.bmp", blockPicture(800, 600), 393, 295},
      {"tall.bmp", blockPicture(300, 400), 380, 507},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeBmp(folder_ / c.name, c.picture);
    openThroughDialog(pathOf(c.name));

    EXPECT_EQ(pictureOf(SourceImage), c.picture);
    EXPECT_EQ(imageWidth(PreviewImage), c.previewWidth);
    EXPECT_EQ(imageHeight(PreviewImage), c.previewHeight);
    // The preview is the fitted copy: the same resample of the full picture.
    constexpr int kScratch = 5;
    ASSERT_NE(loadImageFile(kScratch, pathOf(c.name)), nullptr);
    resampleImage(kScratch, c.previewWidth, c.previewHeight);
    EXPECT_EQ(pictureOf(PreviewImage), pictureOf(kScratch));
    if (c.picture.width == c.previewWidth) {
      EXPECT_EQ(pictureOf(PreviewImage), c.picture);
    }

    EXPECT_EQ(toolkit_.previewShown, imageAt(PreviewImage));
    EXPECT_EQ(toolkit_.pathText, pathOf(c.name));
    EXPECT_EQ(openPath, pathOf(c.name));
  }
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(ImageStore, OpenDialogAsksForPicturesAndStartsAtTheLastOne) {
  const std::string path = writeSmall();
  openThroughDialog(path);
  openThroughDialog(path);

  ASSERT_EQ(dialogs_.requests.size(), 2u);
  const FileDialogRequest& first = dialogs_.requests[0];
  EXPECT_EQ(first.mode, FileDialogMode::Open);
  EXPECT_EQ(first.title, "SELECT IMAGE");
  ASSERT_EQ(first.filters.size(), 1u);
  EXPECT_EQ(first.filters[0].description, "All supported formats");
  EXPECT_EQ(first.filters[0].patterns, "*.bmp; *.jpg; *.jpeg");
  EXPECT_EQ(first.startFolder, "");
  EXPECT_EQ(first.proposedName, "");
  EXPECT_EQ(dialogs_.requests[1].startFolder, folder_.string());
  EXPECT_EQ(dialogs_.requests[1].proposedName, "small.bmp");
}

TEST_F(ImageStore, JpegPicturesOpenToo) {
  writeBmp(folder_ / "seed.bmp", small_);
  ASSERT_NE(loadImageFile(3, pathOf("seed.bmp")), nullptr);
  ASSERT_TRUE(encodeJpegFile(pathOf("photo.jpeg"), *imageAt(3), 8));
  releaseImage(3);

  openThroughDialog(pathOf("photo.jpeg"));

  EXPECT_EQ(imageWidth(SourceImage), small_.width);
  EXPECT_EQ(imageHeight(SourceImage), small_.height);
  EXPECT_EQ(pictureOf(PreviewImage), pictureOf(SourceImage));
  EXPECT_EQ(toolkit_.previewShown, imageAt(PreviewImage));
}

TEST_F(ImageStore, CancelledOpenChangesNothingAndForgetsTheFolder) {
  const std::string path = writeSmall();
  openThroughDialog(path);
  const ImageBuffer* preview = imageAt(PreviewImage);
  const int shownBefore = toolkit_.previewCalls;

  openThroughDialog("");

  expectMessages({"The requester was canceled."});
  EXPECT_EQ(openPath, "");
  EXPECT_EQ(imageAt(PreviewImage), preview);
  EXPECT_EQ(pictureOf(SourceImage), small_);
  EXPECT_EQ(toolkit_.pathText, path);
  EXPECT_EQ(toolkit_.previewCalls, shownBefore);

  openThroughDialog("");
  EXPECT_EQ(dialogs_.requests.back().startFolder, "");
  EXPECT_EQ(dialogs_.requests.back().proposedName, "");
}

TEST_F(ImageStore, TestWithoutPreviewOpensTheDialog) {
  dialogs_.answers.push_back("");
  testPreview();
  ASSERT_EQ(dialogs_.requests.size(), 1u);
  EXPECT_EQ(dialogs_.requests[0].title, "SELECT IMAGE");
  expectMessages({"The requester was canceled."});
  EXPECT_FALSE(hasImage(PreviewImage));

  // Answered, it opens the picture unfiltered, whatever the boxes say.
  dialogs_.answers.push_back(writeSmall());
  toolkit_.tickOnly({});
  testPreview();
  EXPECT_EQ(pictureOf(PreviewImage), small_);
  EXPECT_EQ(toolkit_.pathText, pathOf("small.bmp"));
}

TEST_F(ImageStore, TestFiltersThePreviewCumulativelyAndNotTheSource) {
  openThroughDialog(writeSmall());

  toolkit_.tickAllClassesBut({KeepRed});
  testPreview();
  const Picture afterFirst = filtered(small_, keepAllBut({ColorClass::Red}));
  EXPECT_EQ(pictureOf(PreviewImage), afterFirst);
  EXPECT_EQ(toolkit_.previewShown, imageAt(PreviewImage));

  toolkit_.tickAllClassesBut({KeepBlue});
  testPreview();
  EXPECT_EQ(pictureOf(PreviewImage), filtered(afterFirst, keepAllBut({ColorClass::Blue})));
  EXPECT_EQ(pictureOf(SourceImage), small_);
  EXPECT_EQ(dialogs_.requests.size(), 1u);
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(ImageStore, TestReadsEveryClassBoxAndTheCorrectionBand) {
  openThroughDialog(writeSmall());
  hueBand = {203, 243};
  toolkit_.tickOnly({KeepOrange, KeepGreen, KeepViolet, CorrectionCheck});

  testPreview();

  FilterSettings expected;
  expected.keep[static_cast<int>(ColorClass::Orange)] = true;
  expected.keep[static_cast<int>(ColorClass::Green)] = true;
  expected.keep[static_cast<int>(ColorClass::Violet)] = true;
  expected.correction = true;
  expected.band = {203, 243};
  EXPECT_EQ(pictureOf(PreviewImage), filtered(small_, expected));
}

TEST_F(ImageStore, ResetRestoresTheUnfilteredPreview) {
  writeBmp(folder_ / "wide.bmp", blockPicture(800, 600));
  openThroughDialog(pathOf("wide.bmp"));
  const Picture fitted = pictureOf(PreviewImage);
  toolkit_.tickOnly({});
  testPreview();
  ASSERT_NE(pictureOf(PreviewImage), fitted);

  resetPreview();

  EXPECT_EQ(pictureOf(PreviewImage), fitted);
  EXPECT_EQ(toolkit_.previewShown, imageAt(PreviewImage));
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(ImageStore, ResetBeforeAnyPictureChangesNothing) {
  resetPreview();
  EXPECT_FALSE(hasImage(SourceImage));
  EXPECT_FALSE(hasImage(PreviewImage));
  EXPECT_EQ(toolkit_.previewShown, nullptr);
  EXPECT_TRUE(dialogs_.requests.empty());
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(ImageStore, MissingFileAfterATestedPictureShowsItUnfiltered) {
  openThroughDialog(writeSmall());
  toolkit_.tickOnly({});
  testPreview();
  const std::string missing = pathOf("not-there.jpg");

  openThroughDialog(missing);

  EXPECT_EQ(pictureOf(SourceImage), small_);
  EXPECT_EQ(pictureOf(PreviewImage), small_);
  EXPECT_EQ(toolkit_.previewShown, imageAt(PreviewImage));
  EXPECT_EQ(toolkit_.pathText, missing);
  EXPECT_EQ(openPath, missing);
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(ImageStore, MissingFileWithNoEarlierPictureShowsNothing) {
  const std::string missing = pathOf("not-there.bmp");
  openThroughDialog(missing);
  EXPECT_FALSE(hasImage(PreviewImage));
  EXPECT_EQ(toolkit_.previewShown, nullptr);
  EXPECT_EQ(toolkit_.pathText, missing);
  EXPECT_EQ(openPath, missing);
}

TEST_F(ImageStore, UndecodableFileKeepsTheOldPreviewAndDropsTheSource) {
  openThroughDialog(writeSmall());
  toolkit_.tickAllClassesBut({KeepRed});
  testPreview();
  const Picture tested = pictureOf(PreviewImage);
  writeText(folder_ / "notes.jpg", "shopping list: milk, eggs\n");

  openThroughDialog(pathOf("notes.jpg"));

  EXPECT_FALSE(hasImage(SourceImage));
  EXPECT_EQ(pictureOf(PreviewImage), tested);
  EXPECT_EQ(toolkit_.previewShown, imageAt(PreviewImage));
  EXPECT_EQ(toolkit_.pathText, pathOf("notes.jpg"));
  EXPECT_EQ(openPath, pathOf("notes.jpg"));

  // Until a picture loads, Reset shows that same preview and Test filters it.
  resetPreview();
  EXPECT_EQ(pictureOf(PreviewImage), tested);
  toolkit_.tickAllClassesBut({KeepGreen});
  testPreview();
  EXPECT_EQ(pictureOf(PreviewImage), filtered(tested, keepAllBut({ColorClass::Green})));

  // And Save has nothing to write.
  const auto before = listing(folder_);
  saveThroughDialog(pathOf("out.jpg"));
  EXPECT_EQ(listing(folder_), before);
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(ImageStore, APathOf300CharactersOpens) {
  std::filesystem::path deep = folder_;
  while (deep.string().size() + 61 < 300 - 30) deep /= std::string(60, 'd');
  std::filesystem::create_directories(deep);
  std::string name = "small.bmp";
  name.insert(0, 300 - (deep.string().size() + 1) - name.size(), 'p');
  const std::filesystem::path path = deep / name;
  ASSERT_EQ(path.string().size(), 300u);
  writeBmp(path, small_);

  openThroughDialog(path.string());

  EXPECT_EQ(pictureOf(SourceImage), small_);
  EXPECT_EQ(toolkit_.pathText, path.string());
  EXPECT_TRUE(dialogs_.messages.empty());
  // The next dialog starts in that folder with that name.
  openThroughDialog("");
  EXPECT_EQ(dialogs_.requests.back().startFolder, deep.string());
  EXPECT_EQ(dialogs_.requests.back().proposedName, name);
}

}  // namespace
}  // namespace zelvane
