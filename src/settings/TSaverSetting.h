#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace saver {

// An ordered list of content item strings ("(URL) http://...", "(File) a.htm", ...).
using ContentList = std::vector<std::string>;

// The one settings record of the process: one field per key of section "Set" of the
// saver settings file, named as the key, with the key's default, plus the feed list and
// the five content lists. Filled at start-up, changed afterwards only by the settings
// dialog.
struct TSaverSetting {
    bool UseFeed = false;
    bool RandomFeed = true;
    int32_t BlogInterval = 12;
    bool BlogListShow = true;
    int32_t BlogListBlendValue = 200;
    int32_t BlogListWidth = 437;
    bool BlogListCustomized = false;
    bool BlogAutoScroll = false;
    bool BlogShow = true;
    int32_t BlogBlendValue = 250;
    bool HookApplete = false;
    bool MouseMove = false;
    bool MousePress = true;
    bool KeyboardPress = true;
    bool ShowCursor = false;
    bool OnlyEscKeyExit = false;
    bool PlayMusic = true;
    bool RandomMusic = false;
    bool LoopMusic = true;
    bool MediaPlayerMp3 = true;
    bool WebImage = true;
    bool WebSound = true;
    bool WebVideo = true;
    bool WebScript = true;
    bool WebActiveX = true;
    bool WebOffline = false;
    bool WebOnline = false;
    bool WebHideScrollBar = true;
    int32_t WebInterval = 10;
    bool WebShowStatus = true;
    bool WebLastPage = false;
    bool WebLinkExit = false;
    bool WebAutoScroll = false;
    bool WebSameMonitor = true;
    // Keep a copy of each web page and show it when the page fails later.
    bool WebOfflineCopies = true;
    // 0 Normalize, 1 Shuffle, 2 Intelligent Random; only the low 8 bits of what is read.
    uint8_t WebSequence = 0;
    std::string ScrName = "Screensaver Setting";
    std::string Author;
    std::string Website;
    std::string ScrEmail;
    bool NoUserSetting = false;
    bool Build_UseBanner = false;
    bool Build_HideTitle = false;
    std::string Build_BannerTips;
    std::string Build_BannerURL;
    std::string Build_BannerImage = "orvanebanner.jpg";
    bool Build_UseStaticPreview = false;
    std::string Build_StaticImage;

    std::vector<std::string> FeedList;
    ContentList Pictures;
    ContentList Music;
    ContentList Flash;
    ContentList Video;
    ContentList Web;
};

}  // namespace saver
