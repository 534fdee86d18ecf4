#include "show/PreviewDesign.h"

#include "aatext/text/Utf8.h"

namespace saver {

namespace {

constexpr size_t kLongNameLength = 30;
constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr char kLabelFont[] = "Segoe Print Bold";

// A lent parent window is overlapped by this much on its right and bottom.
constexpr int kParentOverhang = 10;

constexpr PreviewBox kPictureBox{4, 4, 152, 112};
constexpr PreviewBox kArtworkBox{0, 0, 172, 146};
constexpr PreviewBox kLabelBox{11, 9, 154, 120};

}  // namespace

bool ChoosePreviewWindow(TSaverSetting& settings,
                         const std::function<bool(std::string&)>& resolve) {
    if (!settings.Build_UseStaticPreview) {
        return false;
    }
    std::string item = settings.Build_StaticImage;
    if (!resolve(item)) {
        return false;
    }
    settings.Build_StaticImage = item;
    return true;
}

PreviewDesign MakePreviewDesign(TSaverSetting& settings,
                                const std::function<bool(std::string&)>& resolve,
                                const std::string& saver_name) {
    PreviewDesign design;
    if (ChoosePreviewWindow(settings, resolve)) {
        design.static_preview = true;
        design.left = 262;
        design.top = 129;
        design.width = 696;
        design.height = 480;
        design.picture = LoadPicture(settings.Build_StaticImage);
        return design;
    }
    design.label = saver_name;
    design.label_points = Utf8Length(saver_name) > kLongNameLength ? 15 : 17;
    return design;
}

PreviewDrawing LayOutPreview(const PreviewDesign& design) {
    PreviewDrawing drawing;
    drawing.window = {design.left, design.top, design.width, design.height};
    drawing.parent_overhang = kParentOverhang;
    if (design.static_preview) {
        if (design.picture && design.picture->width > 0 && design.picture->height > 0) {
            drawing.picture_box = kPictureBox;
            drawing.picture_width = design.picture->width;
            drawing.picture_height = design.picture->height;
            drawing.picture_rgb = design.picture->rgb;
        }
        return drawing;
    }
    drawing.artwork = true;
    drawing.artwork_box = kArtworkBox;
    drawing.label = design.label;
    drawing.label_font = kLabelFont;
    drawing.label_pixels = design.label_points * kPixelsPerPoint;
    drawing.label_box = kLabelBox;
    return drawing;
}

void RunPreviewWindow(PreviewWindow& window, TSaverSetting& settings,
                      const std::function<bool(std::string&)>& resolve,
                      const std::string& saver_name, uint64_t parent) {
    window.Run(LayOutPreview(MakePreviewDesign(settings, resolve, saver_name)), parent);
}

}  // namespace saver
