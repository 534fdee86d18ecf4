#include "music/TRealAudio.h"

namespace saver {

TRealAudio::TRealAudio(MediaPlayers& players) : player_(players.CreatePlayer([] {})) {}

void TRealAudio::DoPlay() {
    player_->Play(Source);
}

int TRealAudio::GetPlayState() const {
    switch (player_->State()) {
        case MediaPlayState::Opening:
            return kContacting;
        case MediaPlayState::Playing:
            return kPlaying;
        case MediaPlayState::Idle:
        case MediaPlayState::Ended:
        case MediaPlayState::Failed:
            break;
    }
    return kStopped;
}

}  // namespace saver
