#include "app/windows/ShowMusic.h"

#include <exception>

#include "platform/linux/gst/GstMediaPlayer.h"
#include "show/WorkBesideTheLoop.h"
#include "startup/SaverProcess.h"

namespace saver {

std::unique_ptr<BackgroundMusic> MakeShowMusic(SaverProcess& process, WindowSystem& windows,
                                               std::unique_ptr<MediaPlayers>& players) {
    try {
        players = std::make_unique<GstMediaPlayers>();
    } catch (const std::exception&) {
        return nullptr;  // no sound, as with any other failure of the music
    }
    const SaverFolders& folders = process.folders;
    return std::make_unique<BackgroundMusic>(MusicEnvironment{
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
        *players,
        process.platform.library_loader,
        {folders.system_folder, folders.working_folder},
        [&windows](int interval_ms, std::function<void()> tick) {
            return windows.CreateTimer(interval_ms, std::move(tick));
        }});
}

}  // namespace saver
