#include "app/windows/ShowCompanionSet.h"

#include "music/BackgroundMusic.h"

namespace saver {

void ShowCompanionSet::StartMusic() {
    if (music_ != nullptr) {
        music_->StartMusic();
    }
}

void ShowCompanionSet::StopMusic() {
    if (music_ != nullptr) {
        music_->ClearPlaylist();
        music_->StopMusic();
    }
}

}  // namespace saver
