#include "app/windows/ShowCompanionSet.h"

#include "aatext/timer/TAATimerMgr.h"

namespace saver {

UiDispatcher& ProgramDispatcher() {
    static GlibDispatcher dispatcher;
    return dispatcher;
}

void WireTimerDispatcher() {
    SetTimerDispatcher(&ProgramDispatcher());
}

ShowCompanionSet::ShowCompanionSet(SaverProcess& process, WindowSystem& windows)
    : http_(dispatcher_),
      viewer_draw_(process.random),
      viewer_(ViewerEnvironment{process.settings, windows, viewer_draw_,
                                process.folders.working_folder, process.rss_template_path,
                                nullptr}),
      ticker_(TickerEnvironment{process.settings,
                                process.settings_file,
                                process.random,
                                windows,
                                http_,
                                process.platform.shell,
                                viewer_,
                                process.folders.working_folder,
                                process.rss_list_path,
                                {},
                                nullptr,
                                &ProgramDispatcher()}),
      music_(process, windows, dispatcher_) {}

// The music goes first; then the ticker, whose windows and transfers refer to the client
// and the viewer.
ShowCompanionSet::~ShowCompanionSet() = default;

void ShowCompanionSet::StartFeedTicker(ShowWindow& window, int delay_seconds) {
    ticker_.StartFeedTicker(window, delay_seconds);
}

void ShowCompanionSet::StopFeedTicker() {
    ticker_.StopFeedTicker();
}

bool ShowCompanionSet::HandleTickerInput(const InputMessage& message) {
    return ticker_.HandleTickerInput(message);
}

void ShowCompanionSet::StartMusic() {
    music_.Start();
}

void ShowCompanionSet::StopMusic() {
    music_.Stop();
}

}  // namespace saver
