#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "aatext/text/TAAScrollText.h"
#include "feeds/model/TDateTime.h"
#include "feeds/readers/TSimpleRSS.h"
#include "feeds/viewer/ItemViewer.h"
#include "feeds/viewer/WindowFadeOut.h"
#include "platform/FeedWindow.h"
#include "platform/HttpClient.h"
#include "platform/Shell.h"
#include "platform/UiDispatcher.h"
#include "platform/WindowSystem.h"
#include "settings/IniFile.h"
#include "settings/PlayOrder.h"
#include "settings/TSaverSetting.h"
#include "show/TEmbeddedWB.h"

namespace saver {

// What the feed ticker is given by the program.
struct TickerEnvironment {
    TSaverSetting& settings;
    const IniFile& settings_file;  // sections "feeds" and "usefeed"
    RandomSource& random;
    WindowSystem& windows;
    HttpClient& http;
    Shell& shell;
    ItemViewer& viewer;
    std::string working_folder;  // ends with "/"
    std::string list_template;   // the custom list template, as content resolution gave it
    // A feed date as the user reads it.
    std::function<std::string(TDateTime)> time_text;
    // The animation timers of the text areas; null for the process's own.
    TAATimerMgr* text_timers = nullptr;
    // Hands a feed parsed on a worker thread back to the user-interface thread; it must
    // live until the program ends. Null: feeds are parsed on the user-interface thread.
    UiDispatcher* parse_dispatcher = nullptr;
};

// The feed ticker window: the feed's title and info line in the title area `AAText2`,
// the numbered headlines in the list area `AAText` (or the custom list page in `web2`),
// stepping through the items every "BlogInterval" seconds and through the feeds after
// the last item. Fades run on timers and never hold up the main loop; a load waits for
// the fade-out before it starts.
class TRSSFontForm {
  public:
    TRSSFontForm(const TickerEnvironment& environment, TickerShared& shared);
    ~TRSSFontForm();
    TRSSFontForm(const TRSSFontForm&) = delete;
    TRSSFontForm& operator=(const TRSSFontForm&) = delete;

    // StartFeedTicker's steps on the existing window, and StopFeedTicker's.
    void Start(int seconds);
    void Stop();
    bool HandleTickerInput(const InputMessage& message);

    void Timer1Timer();
    void LoadFeed(int index);
    void DisplayItem(int index);
    void NextItem();
    void PreviousItem();
    void FadeOutTicker(std::function<void()> then);
    void FadeInTicker();
    void FormShowTimerTimer();

    int CurrentFeed() const { return feed_index_; }
    int CurrentItem() const { return item_index_; }
    int TickCounter() const { return tick_counter_; }
    bool Busy() const { return busy_; }
    const std::string& CurrentFeedName() const { return feed_name_; }
    TSimpleRSS& RSS() { return rss_; }
    FeedWindow& Window() { return *window_; }
    TAAScrollText& TitleArea() { return *AAText2; }
    TAAScrollText& ListArea() { return *AAText; }

  private:
    void ResetTicker();
    // Fades out, then loads feed `index`; Timer1 waits meanwhile.
    void FadeOutAndLoad(int index);
    void StepToNextItem();
    void FeedArrived(HttpResult result);
    void FeedParsed(std::unique_ptr<TSimpleRSS> parsed, bool raised);
    void EndPageScroll();
    // The styled list, and at the end of a block of ten the scroll to the next block.
    void ShowList(const std::vector<std::string>& entries, int position, int current);
    void WriteListPage(const std::string& title, const std::string& info,
                       const std::vector<std::string>& entries, int position);
    bool ListTemplateExists() const;
    void SetStatus(const std::string& caption);
    void SetStatusVisible(bool visible);
    void PlaceTextAreas();

    TickerEnvironment environment_;
    TickerShared& shared_;
    TSimpleRSS rss_;
    std::unique_ptr<FeedWindow> window_;
    std::unique_ptr<TEmbeddedWB> web2;
    std::unique_ptr<TAAScrollText> AAText2;
    std::unique_ptr<TAAScrollText> AAText;
    // Timer1 ticks first after the start delay, then every second.
    std::unique_ptr<Timer> start_timer_;
    std::unique_ptr<Timer> Timer1;
    std::unique_ptr<Timer> FormShowTimer;
    std::unique_ptr<WindowFadeOut> fade_out_;
    std::unique_ptr<Timer> page_end_timer_;
    std::vector<std::string> page_end_rest_;
    int feed_index_ = 0;
    int item_index_ = 0;
    int tick_counter_ = 0;
    bool busy_ = false;
    bool fading_ = false;  // a fade-out before a load or an item step runs
    bool ticked_ = false;
    std::string feed_name_;
    int target_opacity_ = 0;
    int64_t status_tag_ = 0;
    // Tells a parse still running on a worker thread whether its result is still wanted:
    // false once the ticker is gone; `load_` counts the loads started.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    int load_ = 0;
};

}  // namespace saver
