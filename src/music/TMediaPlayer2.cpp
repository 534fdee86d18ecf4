#include "music/TMediaPlayer2.h"

namespace saver {

TMediaPlayer2::TMediaPlayer2(MediaPlayers& players) : player_(players.CreatePlayer([] {})) {}

void TMediaPlayer2::Play() {
    player_->Play(URL);
}

double TMediaPlayer2::Duration() const {
    return static_cast<double>(player_->Length()) / 1000.0;
}

double TMediaPlayer2::CurrentPosition() const {
    return static_cast<double>(player_->Position()) / 1000.0;
}

int TMediaPlayer2::PlayState() const {
    switch (player_->State()) {
        case MediaPlayState::Opening:
            return wmppsTransitioning;
        case MediaPlayState::Playing:
            return wmppsPlaying;
        case MediaPlayState::Idle:
        case MediaPlayState::Ended:
            return wmppsStopped;
        case MediaPlayState::Failed:
            break;
    }
    return wmppsUndefined;
}

int TMediaPlayer2::OpenState() const {
    switch (player_->State()) {
        case MediaPlayState::Opening:
            return wmposMediaOpening;
        case MediaPlayState::Playing:
        case MediaPlayState::Ended:
            return wmposMediaOpen;
        case MediaPlayState::Idle:
        case MediaPlayState::Failed:
            break;
    }
    return wmposUndefined;
}

bool TMediaPlayer2::Failed() const {
    return player_->State() == MediaPlayState::Failed;
}

}  // namespace saver
