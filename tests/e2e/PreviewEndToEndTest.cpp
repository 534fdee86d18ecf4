// The preview ("/p" with a window id) of real saver files, inside a window the test
// creates on its own X server.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>

#include <filesystem>

#include "SaverRun.h"

namespace saver {
namespace {

using test::SaverRun;

// The parent window as the display settings lend it: 152 x 112 at (100, 100).
constexpr int kLeft = 100;
constexpr int kTop = 100;

// Waits until the screen at (x, y) has `colour` (or, with `not_black`, any colour but
// black); false when it does not come in time.
bool ScreenBecomes(SaverRun& run, int x, int y, const std::string& colour, bool not_black = false) {
    const std::string shot = run.Folder() + "/shot.png";
    return test::Eventually([&] {
        if (!run.Screenshot(shot)) {
            return false;
        }
        const std::string found = SaverRun::PixelColour(shot, x, y);
        return not_black ? found != "#000000" : found == colour;
    });
}

void StartPreview(SaverRun& run) {
    const unsigned long parent = run.CreateParentWindow(kLeft, kTop, 152, 112);
    ASSERT_NE(parent, 0u);
    run.Start({"/p", std::to_string(parent)}, true);
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
    ASSERT_TRUE(run.Ended());
    EXPECT_EQ(run.ExitStatus(), 0);
    EXPECT_EQ(run.WorkingFiles(), std::vector<std::string>{});
    const std::string errors = run.ErrorOutput();
    EXPECT_EQ(errors.find("WARNING"), std::string::npos) << "a quiet end: " << errors;
}

// The brightest of the pixels of a screenshot's rectangle, 0 (black) to 1.
double Brightest(const std::string& shot, int x, int y, int width, int height) {
    const std::string command = "convert " + shot + " -crop " + std::to_string(width) + "x" +
                                std::to_string(height) + "+" + std::to_string(x) + "+" +
                                std::to_string(y) + " -format '%[fx:maxima]' info:";
    double brightest = -1;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        if (fscanf(pipe, "%lf", &brightest) != 1) {
            brightest = -1;
        }
        pclose(pipe);
    }
    return brightest;
}

// The artwork ends at its own edges: right of and below the 172 x 146 picture of the
// stand-alone preview (a 188 x 179 window at 360, 233) the window is black.
TEST(PreviewEndToEndTest, StandAloneArtworkStaysInsideItsPicture) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    ASSERT_TRUE(run.MakeSaver("", {run.Url("p1.htm")}));
    run.Start({"/p", "0"});
    EXPECT_TRUE(ScreenBecomes(run, 360 + 100, 233 + 10, "", true));
    const std::string shot = run.Folder() + "/shot.png";
    ASSERT_TRUE(run.Screenshot(shot));
    EXPECT_GT(Brightest(shot, 360, 233, 172, 146), 0) << "the picture is drawn";
    EXPECT_EQ(Brightest(shot, 360 + 172, 233, 16, 179), 0) << "right of the picture";
    EXPECT_EQ(Brightest(shot, 360, 233 + 146, 188, 33), 0) << "below the picture";
    ::kill(run.SaverPid(), SIGTERM);
    ASSERT_TRUE(run.Ended(5000));
}

TEST(PreviewEndToEndTest, AWindowThatDoesNotExistEndsThePreviewAtOnce) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    ASSERT_TRUE(run.MakeSaver("", {run.Url("p1.htm")}));
    run.Start({"/p", "12345"}, true);
    ASSERT_TRUE(run.Ended(10000));
    EXPECT_EQ(run.ExitStatus(), 0);
    EXPECT_EQ(run.ErrorOutput(), "saverhost: no window 12345 to show the preview in\n");
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
    std::filesystem::copy_file(std::string(SAVER_TEST_DATA) + "/pictures/" + row.picture,
                               run.Folder() + "/content/" + row.picture);
    ASSERT_TRUE(run.MakeSaver(
        std::string("Build_UseStaticPreview=1\nBuild_StaticImage=(File) ") + row.picture,
        {run.Url("p1.htm")}));
    StartPreview(run);
    ASSERT_TRUE(ScreenBecomes(run, 0, 0, "#000000"));
    test::Eventually([&] { return run.ParentChildren() >= 1; });
    EXPECT_EQ(run.ParentChildren(), 1);
    EXPECT_TRUE(ScreenBecomes(run, kLeft + 4 + 100, kTop + 4 + 80, row.colour));
    run.DestroyParentWindow();
    EXPECT_TRUE(run.Ended());
}

// Without a window to live in, the static preview is a window of its own at its design
// position (262, 129): its picture box starts 4 px further in.
TEST(PreviewEndToEndTest, StaticPreviewOfHandleZeroOpensAtItsDesignPosition) {
    SaverRun run;
    ASSERT_TRUE(run.StartX());
    std::filesystem::copy_file(std::string(SAVER_TEST_DATA) + "/pictures/red.gif",
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
