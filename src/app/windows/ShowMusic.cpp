#include "app/windows/ShowMusic.h"

#include <exception>

#include "base/StartTrace.h"
#include "platform/linux/gst/GstMediaPlayer.h"
#include "show/WorkBesideTheLoop.h"
#include "startup/SaverProcess.h"

namespace saver {

ShowMusic::ShowMusic(SaverProcess& process, WindowSystem& windows, UiDispatcher& ui)
    : process_(process), windows_(windows), ui_(ui) {
    if (MusicWanted(process.settings)) {
        gstreamer_start_ = std::thread([] {
            try {
                InitialiseGstreamer();
            } catch (const std::exception&) {
                // Told again when the players are made; the music then stays silent.
            }
        });
    }
}

ShowMusic::~ShowMusic() {
    if (gstreamer_start_.joinable()) {
        gstreamer_start_.join();
    }
}

void ShowMusic::Start() {
    if (!MusicWanted(process_.settings)) {
        return;
    }
    ui_.Post([this, token = std::weak_ptr<bool>(starts_)] {
        if (!token.expired()) {
            StartNow();
        }
    });
}

void ShowMusic::StartNow() {
    if (BackgroundMusic* music = Music()) {
        music->StartMusic();
        TraceStartStep("music started");
    }
}

void ShowMusic::Stop() {
    starts_ = std::make_shared<bool>(true);
    if (music_ != nullptr) {
        music_->ClearPlaylist();
        music_->StopMusic();
    }
}

BackgroundMusic* ShowMusic::Music() {
    if (made_) {
        return music_.get();
    }
    made_ = true;
    if (gstreamer_start_.joinable()) {
        gstreamer_start_.join();
    }
    try {
        players_ = std::make_unique<GstMediaPlayers>();
    } catch (const std::exception&) {
        return nullptr;  // no sound, as with any other failure of the music
    }
    SaverProcess& process = process_;
    const SaverFolders& folders = process.folders;
    WindowSystem& windows = windows_;
    music_ = std::make_unique<BackgroundMusic>(MusicEnvironment{
        process.settings,
        process.state.package_present,
        ResolveBesideTheLoop(
            windows,
            [&process](std::string& item) { return process.content.ResolveContentItem(item); }),
        [&process, &windows] {
            WorkBesideTheLoop(windows, [&process] {
                process.package.ProvideMpegLibrary(process.folders.system_folder);
            });
        },
        process.random,
        *players_,
        process.platform.library_loader,
        {folders.system_folder, folders.working_folder},
        [&windows](int interval_ms, std::function<void()> tick) {
            return windows.CreateTimer(interval_ms, std::move(tick));
        }});
    return music_.get();
}

}  // namespace saver
