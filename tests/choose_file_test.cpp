#include "image/choose_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "command_harness.h"
#include "platform/qt/qt_file_dialog.h"

namespace zelvane {
namespace {

using testing_support::ScriptedDialogs;

class ChooseFile : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs_;
  void SetUp() override { installDialogs(&dialogs_); }
  void TearDown() override { installDialogs(nullptr); }

  FileDialogRequest requestFor(const std::optional<std::string>& previousPath,
                               const std::string& filter = "A|*.a") {
    dialogs_.answers.push_back("");
    chooseFile(FileDialogMode::Save, "title", previousPath, filter);
    return dialogs_.requests.back();
  }
};

struct StartCase {
  std::optional<std::string> previousPath;
  std::string startFolder;
  std::string proposedName;
};

const std::string k259(259, 'n');
const std::string k300(300, 'n');

const StartCase kStartCases[] = {
    {std::nullopt, "", ""},
    {"", "", ""},
    {"/home/ann/pics/photo.jpg", "/home/ann/pics", "photo.jpg"},
    {"/home/ann/pics.old/photo", "/home/ann/pics.old", "photo"},
    {"photo.jpg", "", "photo.jpg"},
    {"/home/ann/pics/", "/home/ann/pics", ""},
    // A slash only at the start is no folder; the name then holds a slash.
    {"/photo.jpg", "", ""},
    {"/home/ann/" + k259, "/home/ann", k259},
    {"/home/ann/" + k300, "/home/ann", k259},
    // Cut first, then checked: a bad character beyond the cut does not count.
    {"/home/ann/" + k259 + "?", "/home/ann", k259},
    {"/home/ann/what?.jpg", "/home/ann", ""},
    {"/home/ann/a*b.jpg", "/home/ann", ""},
    {"/home/ann/a:b.jpg", "/home/ann", ""},
    {"/home/ann/a<b>.jpg", "/home/ann", ""},
    {"/home/ann/\"q\".jpg", "/home/ann", ""},
    {"/home/ann/a|b.jpg", "/home/ann", ""},
    {"/home/ann/a\\b.jpg", "/home/ann", ""},
    {"/home/ann/tab\there.jpg", "/home/ann", ""},
    {"/home/ann/my photo (1).jpg", "/home/ann", "my photo (1).jpg"},
    {"/home/ann/café.jpg", "/home/ann", "café.jpg"},
};

TEST_F(ChooseFile, PreviousPathGivesStartFolderAndProposedName) {
  for (const StartCase& c : kStartCases) {
    SCOPED_TRACE(c.previousPath ? "\"" + *c.previousPath + "\"" : std::string("unset"));
    const FileDialogRequest request = requestFor(c.previousPath);
    EXPECT_EQ(request.startFolder, c.startFolder);
    EXPECT_EQ(request.proposedName, c.proposedName);
  }
}

TEST_F(ChooseFile, ProposedNameIsCutWithoutSplittingACharacter) {
  // 258 ASCII letters then two-byte characters: 259 characters end after the
  // first 'é'.
  const std::string name = std::string(258, 'n') + "éé";
  const FileDialogRequest request = requestFor("/d/" + name);
  EXPECT_EQ(request.proposedName, std::string(258, 'n') + "é");
}

TEST_F(ChooseFile, FilterTextBecomesPairsWithModeAndTitle) {
  dialogs_.answers.push_back("/x/y.bmp");
  const std::string chosen = chooseFile(FileDialogMode::Open, "SELECT IMAGE", std::nullopt,
                                        "All supported formats|*.bmp; *.jpg; *.jpeg|Bitmaps|*.bmp|odd");
  EXPECT_EQ(chosen, "/x/y.bmp");
  const FileDialogRequest& request = dialogs_.requests.back();
  EXPECT_EQ(request.mode, FileDialogMode::Open);
  EXPECT_EQ(request.title, "SELECT IMAGE");
  ASSERT_EQ(request.filters.size(), 2u);
  EXPECT_EQ(request.filters[0].description, "All supported formats");
  EXPECT_EQ(request.filters[0].patterns, "*.bmp; *.jpg; *.jpeg");
  EXPECT_EQ(request.filters[1].description, "Bitmaps");
  EXPECT_EQ(request.filters[1].patterns, "*.bmp");
}

TEST_F(ChooseFile, AnyLengthOfChosenPathIsReturned) {
  const std::string longPath = "/tmp/" + std::string(200, 'a') + "/" + std::string(200, 'b') + ".jpg";
  dialogs_.answers.push_back(longPath);
  EXPECT_EQ(chooseFile(FileDialogMode::Open, "t", std::nullopt, "A|*.a"), longPath);
}

struct QtFilterCase {
  FileFilter filter;
  std::string qtText;
};

TEST(QtNameFilter, PatternsAreSeparatedByBlanks) {
  const QtFilterCase cases[] = {
      {{"All supported formats", "*.bmp; *.jpg; *.jpeg"}, "All supported formats (*.bmp *.jpg *.jpeg)"},
      {{"Image (*.jpg)", "*.jpg"}, "Image (*.jpg) (*.jpg)"},
      {{"Two", "*.a;*.b"}, "Two (*.a *.b)"},
  };
  for (const QtFilterCase& c : cases) {
    SCOPED_TRACE(c.filter.description);
    EXPECT_EQ(qtNameFilter(c.filter), c.qtText);
  }
}

}  // namespace
}  // namespace zelvane
