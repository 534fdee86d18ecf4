// The preview ("/p" with a window id) of real saver files, inside a window the test
// creates on its own X server.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "SaverRun.h"

namespace saver {
namespace {

using test::SaverRun;

// The parent window as the display settings lend it: 152 x 112 at (100, 100).
constexpr int kLeft = 100;
constexpr int kTop = 100;

// Waits until the screen at (x, y) has `colour` (or, with `not_black`, any colour but
// black); false when it does not come within 5 s.
bool ScreenBecomes(SaverRun& run, int x, int y, const std::string& colour, bool not_black = false) {
    const std::string shot = run.Folder() + "/shot.png";
    for (int i = 0; i < 50; ++i) {
        if (run.Screenshot(shot)) {
            const std::string found = SaverRun::PixelColour(shot, x, y);
            if (not_black ? found != "#000000" : found == colour) {
                return true;
            }
        }
        usleep(100000);
    }
    return false;
}

void StartPreview(SaverRun& run) {
    const unsigned long parent = run.CreateParentWindow(kLeft, kTop, 152, 112);
    ASSERT_NE(parent, 0u);
    run.Start({"/p", std::to_string(parent)});
}

TEST(PreviewEndToEndTest, DefaultPreviewDrawsInsideTheParentAndEndsWithIt) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    ASSERT_TRUE(run.MakeSaver("", {run.Url("p1.htm")}));
    StartPreview(run);
    // The artwork's sky, beside the saver name written over it.
    EXPECT_TRUE(ScreenBecomes(run, kLeft + 150, kTop + 100, "", true));
    EXPECT_EQ(run.ParentChildren(), 1);
    EXPECT_FALSE(run.Ended(200));
    run.DestroyParentWindow();
    ASSERT_TRUE(run.Ended(5000));
    EXPECT_EQ(run.ExitStatus(), 0);
    EXPECT_EQ(run.WorkingFiles(), std::vector<std::string>{});
}

struct StaticCase {
    const char* name;
    const char* picture;
    const char* colour;  // at the middle of the picture box
};

class StaticPreviewTest : public ::testing::TestWithParam<StaticCase> {};

TEST_P(StaticPreviewTest, ShowsThePictureStretchedOrStaysBlack) {
    const StaticCase& row = GetParam();
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    std::filesystem::copy_file(std::string(SAVER_TEST_DATA) + "/show/pictures/" + row.picture,
                               run.Folder() + "/content/" + row.picture);
    ASSERT_TRUE(run.MakeSaver(
        std::string("Build_UseStaticPreview=1\nBuild_StaticImage=(File) ") + row.picture,
        {run.Url("p1.htm")}));
    StartPreview(run);
    ASSERT_TRUE(ScreenBecomes(run, 0, 0, "#000000"));
    for (int i = 0; i < 50 && run.ParentChildren() < 1; ++i) {
        usleep(100000);
    }
    EXPECT_EQ(run.ParentChildren(), 1);
    EXPECT_TRUE(ScreenBecomes(run, kLeft + 4 + 100, kTop + 4 + 80, row.colour));
    run.DestroyParentWindow();
    EXPECT_TRUE(run.Ended(5000));
}

// Without a window to live in, the static preview is a window of its own at its design
// position (262, 129): its picture box starts 4 px further in.
TEST(PreviewEndToEndTest, StaticPreviewOfHandleZeroOpensAtItsDesignPosition) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    std::filesystem::copy_file(std::string(SAVER_TEST_DATA) + "/show/pictures/red.gif",
                               run.Folder() + "/content/red.gif");
    ASSERT_TRUE(
        run.MakeSaver("Build_UseStaticPreview=1\nBuild_StaticImage=red.gif", {run.Url("p1.htm")}));
    run.Start({"/p", "0"});
    EXPECT_TRUE(ScreenBecomes(run, 262 + 4 + 100, 129 + 4 + 80, "#FF0000"));
}

INSTANTIATE_TEST_SUITE_P(Pictures, StaticPreviewTest,
                         ::testing::Values(StaticCase{"Bitmap", "red24.bmp", "#FF0000"},
                                           StaticCase{"Gif", "red.gif", "#FF0000"},
                                           StaticCase{"Broken", "truncated.jpg", "#000000"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace saver
