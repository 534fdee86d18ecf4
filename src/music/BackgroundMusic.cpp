#include "music/BackgroundMusic.h"

#include "music/PlayerChoice.h"

namespace saver {

namespace {

constexpr int kPollIntervalMs = 800;
constexpr int kMpegTimerMs = 1000;

// Runs `step`; a failure ends it and nothing more.
template <typename Step>
void IgnoringFailures(Step step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

BackgroundMusic::BackgroundMusic(MusicEnvironment environment)
    : environment_(std::move(environment)),
      mci_notify_handler_([] {}),
      mpeg_end_handler_([this] { PlayMusicItem(std::nullopt); }) {}

BackgroundMusic::~BackgroundMusic() {
    poll_.reset();
    StopMusic();
}

bool MusicWanted(const TSaverSetting& settings) {
    return settings.PlayMusic && !settings.Music.empty();
}

void BackgroundMusic::StartMusic() {
    if (!MusicWanted(environment_.settings)) {
        return;
    }
    IgnoringFailures([this] {
        StopMusic();
        if (environment_.package_present) {
            StartPackagedItem();
        } else {
            StartOwnPlaylist();
        }
    });
}

void BackgroundMusic::StartPackagedItem() {
    const TSaverSetting& settings = environment_.settings;
    environment_.provide_mpeg_library();
    mci_notify_handler_ = [this] { StartMusic(); };
    mpeg_end_handler_ = [this] { StartMusic(); };
    const int count = static_cast<int>(settings.Music.size());
    if (settings.RandomMusic) {
        environment_.random = ClockSeededRandom();
        start_index_ =
            static_cast<int>(RandomIndexBelow(settings.Music.size(), environment_.random));
    } else if (++start_index_ >= count) {
        start_index_ = settings.LoopMusic ? 0 : -1;
    }
    if (start_index_ == -1) {
        return;
    }
    // A rejected item plays nothing, and no end of it starts another.
    std::string item = settings.Music[static_cast<size_t>(start_index_)];
    if (environment_.resolve(item)) {
        PlayMusicItem(item);
    }
}

void BackgroundMusic::StartOwnPlaylist() {
    TSaverSetting& settings = environment_.settings;
    for (size_t i = settings.Music.size(); i-- > 0;) {
        std::string item = settings.Music[i];
        if (environment_.resolve(item)) {
            settings.Music[i] = item;
        } else {
            settings.Music.erase(settings.Music.begin() + static_cast<ptrdiff_t>(i));
        }
    }
    SetPlaylist(set_, settings.Music, settings.RandomMusic, settings.LoopMusic,
                environment_.random);
    PlayMusicItem(std::nullopt);
}

void BackgroundMusic::StopMusic() {
    IgnoringFailures([this] {
        if (mpeg_ != nullptr && mpeg_->Loaded() && mpeg_->Mode() == MPEGDLL_MODE_PLAYING) {
            mpeg_->Stop();
        }
    });
    IgnoringFailures([this] {
        if (mci_ != nullptr && mci_->Mode() == TMPModes::mpPlaying) {
            mci_->Stop();
            mci_->Close();
        }
    });
    // Released also from inside the MCI player's own completion notification, which the
    // media player port allows: nothing of it runs after its handler has returned.
    mci_.reset();
    media_player_.reset();
    real_audio_.reset();
    if (poll_ != nullptr) {
        poll_->SetEnabled(false);
    }
    set_.current_item.clear();
}

void BackgroundMusic::ClearPlaylist() {
    saver::ClearPlaylist(set_);
}

void BackgroundMusic::PlayMusicItem(const std::optional<std::string>& item) {
    if (item) {
        set_.current_item = *item;
        set_.playlist.clear();
    } else {
        NextMusicItem(set_, environment_.random);
    }
    const std::string current = set_.current_item;
    IgnoringFailures([&] {
        switch (ChooseMusicPlayer(current, environment_.settings.MediaPlayerMp3)) {
            case MusicPlayerKind::Mci:
                PlayWithMci(current);
                break;
            case MusicPlayerKind::Mpeg:
                PlayWithMpeg(current);
                break;
            case MusicPlayerKind::MediaPlayer:
                PlayWithMediaPlayer(current);
                break;
            case MusicPlayerKind::RealMedia:
                PlayWithRealAudio(current);
                break;
            case MusicPlayerKind::None:
                break;
        }
    });
}

void BackgroundMusic::PlayWithMci(const std::string& path) {
    if (mci_ == nullptr) {
        mci_ = std::make_unique<TMediaPlayer>(environment_.players, mci_notify_handler_);
    }
    mci_->Close();
    mci_->FileName = path;
    mci_->Open();
    mci_->Play();
    EnablePoll();
}

void BackgroundMusic::PlayWithMpeg(const std::string& path) {
    if (mpeg_ == nullptr) {
        mpeg_ = std::make_unique<TMPEGPlayer>(environment_.loader, environment_.create_timer);
        mpeg_->TimerFreq = kMpegTimerMs;
        mpeg_->DefaultFolders = environment_.mpeg_library_folders;
        mpeg_->OnPlayEnd = mpeg_end_handler_;
        // Loaded once; when that fails, every play through it fails silently.
        IgnoringFailures([this] { mpeg_->LoadLibrary(); });
    }
    mpeg_->SetStreamName(path);
    mpeg_->Open();
    mpeg_->Play();
}

void BackgroundMusic::PlayWithMediaPlayer(const std::string& address) {
    if (media_player_ == nullptr) {
        media_player_ = std::make_unique<TMediaPlayer2>(environment_.players);
    }
    media_player_->URL = address;
    media_player_->Play();
    EnablePoll();
}

void BackgroundMusic::PlayWithRealAudio(const std::string& address) {
    if (real_audio_ == nullptr) {
        real_audio_ = std::make_unique<TRealAudio>(environment_.players);
    }
    real_audio_->Source = address;
    real_audio_->DoPlay();
    EnablePoll();
}

void BackgroundMusic::EnablePoll() {
    if (poll_ == nullptr) {
        poll_ = environment_.create_timer(kPollIntervalMs, [this] { PollTimer(); });
    }
    poll_->SetEnabled(true);
}

void BackgroundMusic::PollTimer() {
    IgnoringFailures([this] { PollMci(); });
    IgnoringFailures([this] { PollMediaPlayer(); });
    IgnoringFailures([this] { PollRealAudio(); });
}

void BackgroundMusic::PollMci() {
    if (mci_ == nullptr ||
        (mci_->Mode() != TMPModes::mpStopped && mci_->Position() < mci_->Length() - 1)) {
        return;
    }
    poll_->SetEnabled(false);
    mci_.reset();
    PlayMusicItem(std::nullopt);
}

void BackgroundMusic::PollMediaPlayer() {
    if (media_player_ == nullptr || !media_player_->HasCurrentMedia()) {
        return;
    }
    const TMediaPlayer2& player = *media_player_;
    const double duration = player.Duration();
    const double position = player.CurrentPosition();
    const bool ended =
        (duration > 0 || position > 0) && (position >= duration - 1 || duration == 0) &&
        (player.PlayState() < 2 || player.OpenState() == TMediaPlayer2::wmposUndefined);
    // An address that could not be opened or read ends as well: the rule above waits for
    // a duration or a position, which such an address never gets.
    if (ended || player.Failed()) {
        media_player_.reset();
        PlayMusicItem(std::nullopt);
    }
}

void BackgroundMusic::PollRealAudio() {
    if (real_audio_ == nullptr) {
        return;
    }
    const TRealAudio& player = *real_audio_;
    const int64_t position = player.GetPosition();
    const int64_t length = player.GetLength();
    const int state = player.GetPlayState();
    const bool ended =
        (position > 0 || state == TRealAudio::kStopped || state == TRealAudio::kPlaying) &&
        length != 0 && position > length - 2;
    if (ended || player.Failed()) {  // a failed source ends as well, as above
        real_audio_.reset();
        PlayMusicItem(std::nullopt);
    }
}

}  // namespace saver
