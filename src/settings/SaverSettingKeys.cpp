#include "settings/SaverSettingKeys.h"

#include "base/Text.h"

#include <array>

namespace saver {

namespace {

using S = TSaverSetting;

constexpr std::array kKeys{
    SaverSettingKey{"UseFeed", &S::UseFeed},
    SaverSettingKey{"RandomFeed", &S::RandomFeed},
    SaverSettingKey{"BlogInterval", &S::BlogInterval, kIntervalRange},
    SaverSettingKey{"BlogListShow", &S::BlogListShow},
    SaverSettingKey{"BlogListBlendValue", &S::BlogListBlendValue, kOpacityRange},
    SaverSettingKey{"BlogListWidth", &S::BlogListWidth, kTickerWidthRange},
    SaverSettingKey{"BlogListCustomized", &S::BlogListCustomized},
    SaverSettingKey{"BlogAutoScroll", &S::BlogAutoScroll},
    SaverSettingKey{"BlogShow", &S::BlogShow},
    SaverSettingKey{"BlogBlendValue", &S::BlogBlendValue, kOpacityRange},
    SaverSettingKey{"HookApplete", &S::HookApplete},
    SaverSettingKey{"MouseMove", &S::MouseMove},
    SaverSettingKey{"MousePress", &S::MousePress},
    SaverSettingKey{"KeyboardPress", &S::KeyboardPress},
    SaverSettingKey{"ShowCursor", &S::ShowCursor},
    SaverSettingKey{"OnlyEscKeyExit", &S::OnlyEscKeyExit},
    SaverSettingKey{"PlayMusic", &S::PlayMusic},
    SaverSettingKey{"RandomMusic", &S::RandomMusic},
    SaverSettingKey{"LoopMusic", &S::LoopMusic},
    SaverSettingKey{"MediaPlayerMp3", &S::MediaPlayerMp3},
    SaverSettingKey{"WebImage", &S::WebImage},
    SaverSettingKey{"WebSound", &S::WebSound},
    SaverSettingKey{"WebVideo", &S::WebVideo},
    SaverSettingKey{"WebScript", &S::WebScript},
    SaverSettingKey{"WebActiveX", &S::WebActiveX},
    SaverSettingKey{"WebOffline", &S::WebOffline},
    SaverSettingKey{"WebOnline", &S::WebOnline},
    SaverSettingKey{"WebHideScrollBar", &S::WebHideScrollBar},
    SaverSettingKey{"WebInterval", &S::WebInterval, kIntervalRange},
    SaverSettingKey{"WebShowStatus", &S::WebShowStatus},
    SaverSettingKey{"WebLastPage", &S::WebLastPage},
    SaverSettingKey{"WebLinkExit", &S::WebLinkExit},
    SaverSettingKey{"WebAutoScroll", &S::WebAutoScroll},
    SaverSettingKey{"WebSameMonitor", &S::WebSameMonitor},
    SaverSettingKey{"WebOfflineCopies", &S::WebOfflineCopies},
    SaverSettingKey{"WebSequence", &S::WebSequence, kSequenceRange},
    SaverSettingKey{"ScrName", &S::ScrName},
    SaverSettingKey{"Author", &S::Author},
    SaverSettingKey{"Website", &S::Website},
    SaverSettingKey{"ScrEmail", &S::ScrEmail},
    SaverSettingKey{"NoUserSetting", &S::NoUserSetting},
    SaverSettingKey{"Build_UseBanner", &S::Build_UseBanner},
    SaverSettingKey{"Build_HideTitle", &S::Build_HideTitle},
    SaverSettingKey{"Build_BannerTips", &S::Build_BannerTips},
    SaverSettingKey{"Build_BannerURL", &S::Build_BannerURL},
    SaverSettingKey{"Build_BannerImage", &S::Build_BannerImage},
    SaverSettingKey{"Build_UseStaticPreview", &S::Build_UseStaticPreview},
    SaverSettingKey{"Build_StaticImage", &S::Build_StaticImage},
};

constexpr std::array kLists{
    ContentListField{"Pictures", &S::Pictures}, ContentListField{"Music", &S::Music},
    ContentListField{"Flash", &S::Flash},       ContentListField{"Video", &S::Video},
    ContentListField{"Web", &S::Web},
};

}  // namespace

std::span<const SaverSettingKey> SaverSettingKeys() {
    return kKeys;
}

const SaverSettingKey* FindSaverSettingKey(std::string_view name) {
    for (const SaverSettingKey& key : kKeys) {
        if (EqualsNoCase(key.name, name)) {
            return &key;
        }
    }
    return nullptr;
}

std::span<const ContentListField> ContentListFields() {
    return kLists;
}

}  // namespace saver
