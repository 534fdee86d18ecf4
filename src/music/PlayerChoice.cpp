#include "music/PlayerChoice.h"

#include <algorithm>
#include <array>

#include "base/Files.h"
#include "base/Text.h"

namespace saver {

namespace {

constexpr std::array<std::string_view, 11> kRealMediaExtensions = {
    ".rm", ".ra", ".rmj", ".ram", ".rmm", ".smi", ".swf", ".smil", ".rp", ".rt", ".rtx"};

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// The text from the last "." of the file name on, upper-cased; empty without one.
std::string UpperExtension(const std::string& path) {
    const std::string name = FileNamePart(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? "" : UpperCase(name.substr(dot));
}

}  // namespace

bool IsRealMedia(const std::string& address) {
    const std::string text = LowerCase(Trim(address));
    if (text.starts_with("rtsp:")) {
        return true;
    }
    const size_t dot = text.rfind('.');
    const size_t slash = text.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return false;
    }
    return std::find(kRealMediaExtensions.begin(), kRealMediaExtensions.end(), text.substr(dot)) !=
           kRealMediaExtensions.end();
}

MusicPlayerKind ChooseMusicPlayer(const std::string& item, bool media_player_mp3) {
    if (item.find("://") != std::string::npos) {
        return IsRealMedia(item) ? MusicPlayerKind::RealMedia : MusicPlayerKind::MediaPlayer;
    }
    if (!FileExists(item)) {
        return MusicPlayerKind::None;
    }
    return UpperExtension(item) == ".MP3" && !media_player_mp3 ? MusicPlayerKind::Mpeg
                                                               : MusicPlayerKind::Mci;
}

}  // namespace saver
