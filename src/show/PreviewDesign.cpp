#include "show/PreviewDesign.h"

#include "aatext/Utf8.h"

namespace saver {

namespace {

constexpr size_t kLongNameLength = 30;

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

}  // namespace saver
