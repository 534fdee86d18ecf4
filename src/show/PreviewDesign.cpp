#include "show/PreviewDesign.h"

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
        design.width = 696;
        design.height = 480;
        design.picture = LoadPicture(settings.Build_StaticImage);
        return design;
    }
    design.label = saver_name;
    design.label_points = saver_name.size() > kLongNameLength ? 15 : 17;
    return design;
}

}  // namespace saver
