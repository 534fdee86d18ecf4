// The preview's design and layout: which preview a saver gets, and every box and size the
// window draws, checked on a fake window.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "show/PreviewDesign.h"
#include "support/FakeWindowSystem.h"

namespace saver {
namespace {

const std::string kPictures = std::string(SAVER_TEST_DATA) + "/pictures/";

// Resolves every item to the test picture `file`.
std::function<bool(std::string&)> ToFixture(const std::string& file) {
    return [file](std::string& item) {
        item = kPictures + file;
        return true;
    };
}

bool SameBox(const PreviewBox& a, const PreviewBox& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

TEST(PreviewDesignTest, LongNamesGetTheSmallerFont) {
    TSaverSetting settings;
    const auto none = [](std::string&) { return false; };
    EXPECT_EQ(MakePreviewDesign(settings, none, std::string(30, 'x')).label_points, 17);
    EXPECT_EQ(MakePreviewDesign(settings, none, std::string(31, 'x')).label_points, 15);
    EXPECT_EQ(MakePreviewDesign(settings, none, "Name").label, "Name");
    // Characters count, not bytes: "\u00e9" takes two bytes in UTF-8.
    std::string accented;
    for (int i = 0; i < 30; ++i) {
        accented += "\u00e9";
    }
    EXPECT_EQ(MakePreviewDesign(settings, none, accented).label_points, 17);
    EXPECT_EQ(MakePreviewDesign(settings, none, accented + "e").label_points, 15);
}

TEST(PreviewDesignTest, EachWindowOpensAtItsOwnDesignPosition) {
    TSaverSetting settings;
    PreviewDesign design = MakePreviewDesign(
        settings, [](std::string&) { return false; }, "n");
    EXPECT_EQ(std::make_pair(design.left, design.top), std::make_pair(360, 233));
    settings.Build_UseStaticPreview = true;
    design = MakePreviewDesign(settings, ToFixture("red.gif"), "n");
    EXPECT_EQ(std::make_pair(design.left, design.top), std::make_pair(262, 129));
}

TEST(PreviewDesignTest, StaticPreviewNeedsAnAvailablePicture) {
    TSaverSetting settings;
    settings.Build_UseStaticPreview = true;
    settings.Build_StaticImage = "(File) nowhere.jpg";
    EXPECT_FALSE(MakePreviewDesign(
                     settings, [](std::string&) { return false; }, "n")
                     .static_preview);

    PreviewDesign design = MakePreviewDesign(settings, ToFixture("red.gif"), "n");
    EXPECT_TRUE(design.static_preview);
    EXPECT_EQ(settings.Build_StaticImage, kPictures + "red.gif");
    EXPECT_TRUE(design.picture.has_value());
    // Accepted but undecodable: the static preview stays black.
    design = MakePreviewDesign(settings, ToFixture("truncated.jpg"), "n");
    EXPECT_TRUE(design.static_preview);
    EXPECT_FALSE(design.picture.has_value());
}

TEST(PreviewDesignTest, TheArtworkCarriesTheNameAtItsFontSize) {
    TSaverSetting settings;
    test::FakePreviewWindow window;
    RunPreviewWindow(
        window, settings, [](std::string&) { return false; }, "Ocean", 0x2a00007);

    ASSERT_EQ(window.runs, 1);
    EXPECT_EQ(window.parent, 0x2a00007u);
    const PreviewDrawing& drawing = window.drawing;
    EXPECT_TRUE(SameBox(drawing.window, {360, 233, 188, 179}));
    EXPECT_EQ(drawing.parent_overhang, 10);
    EXPECT_TRUE(drawing.artwork);
    EXPECT_TRUE(SameBox(drawing.artwork_box, {0, 0, 172, 146}));
    EXPECT_EQ(drawing.label, "Ocean");
    EXPECT_EQ(drawing.label_font, "Segoe Print Bold");
    EXPECT_DOUBLE_EQ(drawing.label_pixels, 17 * 96.0 / 72.0);
    EXPECT_TRUE(SameBox(drawing.label_box, {11, 9, 154, 120}));
    EXPECT_TRUE(drawing.picture_rgb.empty());

    RunPreviewWindow(
        window, settings, [](std::string&) { return false; }, std::string(31, 'x'), 0);
    EXPECT_DOUBLE_EQ(window.drawing.label_pixels, 15 * 96.0 / 72.0);
}

TEST(PreviewDesignTest, TheStaticPreviewStretchesItsPictureIntoTheBox) {
    TSaverSetting settings;
    settings.Build_UseStaticPreview = true;
    settings.Build_StaticImage = "(File) red.gif";
    test::FakePreviewWindow window;
    RunPreviewWindow(window, settings, ToFixture("red.gif"), "Ocean", 0);

    const PreviewDrawing& drawing = window.drawing;
    EXPECT_TRUE(SameBox(drawing.window, {262, 129, 696, 480}));
    EXPECT_FALSE(drawing.artwork);
    EXPECT_TRUE(drawing.label.empty());
    EXPECT_TRUE(SameBox(drawing.picture_box, {4, 4, 152, 112}));
    EXPECT_EQ(drawing.picture_width, 6);
    EXPECT_EQ(drawing.picture_height, 4);
    EXPECT_EQ(drawing.picture_rgb, LoadPicture(kPictures + "red.gif")->rgb);

    // A picture that does not decode leaves the window black: nothing to draw at all.
    RunPreviewWindow(window, settings, ToFixture("truncated.jpg"), "Ocean", 0);
    EXPECT_TRUE(window.drawing.picture_rgb.empty());
    EXPECT_FALSE(window.drawing.artwork);
    EXPECT_TRUE(window.drawing.label.empty());
}

}  // namespace
}  // namespace saver
