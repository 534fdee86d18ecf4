#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "music/TMPEGPlayer.h"
#include "music/TMediaPlayer.h"
#include "music/TMediaPlayer2.h"
#include "music/TMyMusicSet.h"
#include "music/TRealAudio.h"
#include "music/TimerFactory.h"
#include "platform/LibraryLoader.h"
#include "platform/MediaPlayer.h"
#include "settings/PlayOrder.h"
#include "settings/TSaverSetting.h"

namespace saver {

// What the music is given by start-up.
struct MusicEnvironment {
    TSaverSetting& settings;
    bool package_present = false;
    // Turns a content item into an address or a full path; true when it is available.
    std::function<bool(std::string&)> resolve;
    // Makes the MPEG audio library available before music plays (with a package).
    std::function<void()> provide_mpeg_library;
    RandomSource& random;
    MediaPlayers& players;
    LibraryLoader& loader;
    // Where the MPEG audio library is looked for, in order.
    std::vector<std::string> mpeg_library_folders;
    TimerFactory create_timer;
};

// True when the settings ask for music: it is switched on and the Music list holds items.
bool MusicWanted(const TSaverSetting& settings);

// The background music of the show: plays the Music list's items one after another
// through the player each item needs, and starts the next at the end of each. One per
// process; everything runs on the user-interface thread, and no failure leaves it.
class BackgroundMusic {
  public:
    explicit BackgroundMusic(MusicEnvironment environment);
    ~BackgroundMusic();
    BackgroundMusic(const BackgroundMusic&) = delete;
    BackgroundMusic& operator=(const BackgroundMusic&) = delete;

    // Stops what plays and starts the next Music item (each show window calls it once).
    void StartMusic();
    // Stops and releases the players (the MPEG player is kept).
    void StopMusic();
    void ClearPlaylist();

    // For tests: what the music holds now.
    const TMyMusicSet& MusicSet() const { return set_; }
    int StartIndex() const { return start_index_; }
    bool HasMciPlayer() const { return mci_ != nullptr; }
    bool HasMediaPlayer() const { return media_player_ != nullptr; }
    bool HasRealAudio() const { return real_audio_ != nullptr; }
    TMPEGPlayer* MpegPlayer() const { return mpeg_.get(); }

  private:
    void PlayMusicItem(const std::optional<std::string>& item);
    void PlayWithMci(const std::string& path);
    void PlayWithMpeg(const std::string& path);
    void PlayWithMediaPlayer(const std::string& address);
    void PlayWithRealAudio(const std::string& address);
    void StartPackagedItem();
    void StartOwnPlaylist();
    void EnablePoll();
    void PollTimer();
    void PollMci();
    void PollMediaPlayer();
    void PollRealAudio();

    MusicEnvironment environment_;
    TMyMusicSet set_;
    int start_index_ = -1;
    std::unique_ptr<TMediaPlayer> mci_;
    std::unique_ptr<TMPEGPlayer> mpeg_;
    std::unique_ptr<TMediaPlayer2> media_player_;
    std::unique_ptr<TRealAudio> real_audio_;
    std::unique_ptr<Timer> poll_;
    // What the MCI player's completion and the MPEG player's end start; a player takes
    // the handler that is set when it is created.
    std::function<void()> mci_notify_handler_;
    std::function<void()> mpeg_end_handler_;
};

}  // namespace saver
