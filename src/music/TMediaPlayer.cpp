#include "music/TMediaPlayer.h"

#include <fcntl.h>
#include <unistd.h>

#include <limits>
#include <stdexcept>

namespace saver {

TMediaPlayer::TMediaPlayer(MediaPlayers& players, std::function<void()> on_notify)
    : player_(players.CreatePlayer(std::move(on_notify))) {}

void TMediaPlayer::Open() {
    const int file = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        throw std::runtime_error("cannot open the media file " + FileName);
    }
    ::close(file);
    open_ = true;
}

void TMediaPlayer::Play() {
    if (!open_) {
        throw std::runtime_error("no media file is open");
    }
    player_->Play(FileName);
}

void TMediaPlayer::Stop() {
    player_->Stop();
}

void TMediaPlayer::Close() {
    player_->Stop();
    open_ = false;
}

TMPModes TMediaPlayer::Mode() const {
    if (!open_) {
        return TMPModes::mpNotReady;
    }
    switch (player_->State()) {
        case MediaPlayState::Opening:
        case MediaPlayState::Playing:
            return TMPModes::mpPlaying;
        case MediaPlayState::Idle:
            return TMPModes::mpOpen;
        case MediaPlayState::Ended:
        case MediaPlayState::Failed:
            break;
    }
    return TMPModes::mpStopped;
}

int64_t TMediaPlayer::Position() const {
    return player_->Position();
}

int64_t TMediaPlayer::Length() const {
    const int64_t length = player_->Length();
    const MediaPlayState state = player_->State();
    if (length > 0 || state == MediaPlayState::Ended || state == MediaPlayState::Failed) {
        return length;
    }
    return std::numeric_limits<int64_t>::max();
}

}  // namespace saver
