#include "feeds/ticker/TRSSFontForm.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "aatext/text/TickerDesign.h"
#include "base/AuthorText.h"
#include "base/Files.h"
#include "feeds/fetch/FeedChoice.h"
#include "feeds/ticker/ListPage.h"
#include "feeds/ticker/TickerTexts.h"
#include "settings/SaverSettingsFile.h"

namespace saver {

namespace {

constexpr int kWindowHeight = 289;
constexpr int kWindowMargin = 12;  // from the top left corner of the show window
constexpr int kTickMs = 1000;
constexpr int kFadeInMs = 2;
constexpr int kFadeOutMs = 4;
constexpr int kOpacityStep = 3;
constexpr int kPageEndScrollMs = 7050;
constexpr int kEmptyFeedTicks = 3;
// The text areas inside the window: left 7, the title area from -4 (63 high), the list
// area from 51 to 3 pixels above the bottom, both 14 narrower than the window.
constexpr int kAreaLeft = 7;
constexpr int kTitleTop = -4;
constexpr int kTitleHeight = 63;
constexpr int kListTop = 51;
constexpr int kListBottomGap = 3;
constexpr int kTitleSlot = 0;
constexpr int kListSlot = 1;

constexpr const char* kPauseText =
    "  Pause scrolling: press spacebar to continue.  [UP key: Previous item;  DOWN: Next "
    "item; LEFT: Previous RSS feed; RIGHT: Next RSS feed]";

int ClampOpacity(int value) {
    return std::clamp(value, 0, 255);
}

PixelRows RowsOf(const Bitmap24& frame) {
    return PixelRows{frame.Empty() ? nullptr : frame.Row(0), frame.Width(), frame.Height(),
                     frame.RowLength()};
}

}  // namespace

TRSSFontForm::TRSSFontForm(const TickerEnvironment& environment, TickerShared& shared)
    : environment_(environment), shared_(shared) {
    WindowSystem& windows = environment_.windows;
    window_ = shared_.show->CreateFeedWindow();
    window_->SetOpacity(0);
    web2 = std::make_unique<TEmbeddedWB>(window_->WebBrowser(), windows);
    TAATimerMgr& timers = environment_.text_timers ? *environment_.text_timers : TimerMgr();
    AAText2 = std::make_unique<TAAScrollText>(timers);
    AAText = std::make_unique<TAAScrollText>(timers);
    ApplyTickerDesign(*AAText2, TickerArea::Title);
    ApplyTickerDesign(*AAText, TickerArea::List);
    AAText2->Surface = [this](const Bitmap24& frame) {
        window_->DrawPicture(kTitleSlot, kAreaLeft, kTitleTop, RowsOf(frame));
    };
    AAText->Surface = [this](const Bitmap24& frame) {
        window_->DrawPicture(kListSlot, kAreaLeft, kListTop, RowsOf(frame));
    };
    // The first paint loads the areas: from then on every change of their lines redraws.
    AAText2->Paint();
    AAText->Paint();
    start_timer_ = windows.CreateTimer(kTickMs, [this] { Timer1Timer(); });
    Timer1 = windows.CreateTimer(kTickMs, [this] { Timer1Timer(); });
    FormShowTimer = windows.CreateTimer(kFadeInMs, [this] { FormShowTimerTimer(); });
    fade_out_ = std::make_unique<WindowFadeOut>(windows, *window_, kFadeOutMs, kOpacityStep);
    page_end_timer_ = windows.CreateTimer(kPageEndScrollMs, [this] { EndPageScroll(); });
}

TRSSFontForm::~TRSSFontForm() {
    *alive_ = false;
    // Closing: the window goes, the item page with it, and no download goes on.
    window_->Hide();
    std::error_code ignored;
    std::filesystem::remove(environment_.working_folder + "tmp.htm", ignored);
    environment_.http.Cancel();
}

void TRSSFontForm::Start(int seconds) {
    start_timer_ = environment_.windows.CreateTimer(seconds * 1000, [this] { Timer1Timer(); });
    PlaceTextAreas();
    ResetTicker();
    window_->BringToFront();
}

void TRSSFontForm::PlaceTextAreas() {
    const int width = environment_.settings.BlogListWidth;
    window_->SetBounds(kWindowMargin, kWindowMargin, width, kWindowHeight);
    shared_.right_edge = kWindowMargin + width;
    AAText2->SetSize(width - 2 * kAreaLeft, kTitleHeight);
    AAText->SetSize(width - 2 * kAreaLeft, kWindowHeight - kListTop - kListBottomGap);
}

void TRSSFontForm::ResetTicker() {
    feed_index_ = 0;
    item_index_ = 0;
    tick_counter_ = 0;
    busy_ = false;
    fading_ = false;
    environment_.settings.FeedList = BuildFeedList(environment_.settings_file);
    ticked_ = false;
    Timer1->SetEnabled(false);
    start_timer_->SetEnabled(true);
}

void TRSSFontForm::Stop() {
    start_timer_->SetEnabled(false);
    Timer1->SetEnabled(false);
    FormShowTimer->SetEnabled(false);
    fade_out_->Cancel();
    page_end_timer_->SetEnabled(false);
    AAText->SetActive(false);
    environment_.http.Cancel();
    ++load_;
    busy_ = false;
    fading_ = false;
    window_->Hide();
}

void TRSSFontForm::Timer1Timer() {
    if (busy_ || fading_) {
        return;
    }
    const TSaverSetting& settings = environment_.settings;
    if (shared_.paused) {
        tick_counter_ = settings.BlogInterval;
        return;
    }
    const int feeds = static_cast<int>(settings.FeedList.size());
    if (!ticked_) {
        ticked_ = true;
        start_timer_->SetEnabled(false);
        Timer1->SetEnabled(true);
        if (feeds > 0) {
            LoadFeed(FirstFeedIndex(settings.RandomFeed, feeds, environment_.random));
        }
        return;
    }
    ++tick_counter_;
    const int items = rss_.Items().Count();
    if (feeds == 0) {
        return;
    }
    if (items > 0 && tick_counter_ >= settings.BlogInterval) {
        tick_counter_ = 0;
        if (item_index_ < items - 1) {
            StepToNextItem();
            return;
        }
    } else if (items > 0 || tick_counter_ < kEmptyFeedTicks) {
        return;
    }
    tick_counter_ = 0;
    FadeOutAndLoad(NextFeedIndex(settings.RandomFeed, feed_index_, feeds, environment_.random));
}

void TRSSFontForm::StepToNextItem() {
    fading_ = true;
    const int from = item_index_;
    environment_.viewer.FadeOut([this, from] {
        fading_ = false;
        if (shared_.stopped || item_index_ != from) {
            return;  // stopped, or a key showed another item during the fade
        }
        window_->BringToFront();
        environment_.viewer.BringToFront();
        if (environment_.settings.BlogListShow) {
            window_->SetOpacity(target_opacity_);
        }
        window_->Show();
        DisplayItem(item_index_ + 1);
    });
}

void TRSSFontForm::FadeOutAndLoad(int index) {
    const int feeds = static_cast<int>(environment_.settings.FeedList.size());
    if (feeds == 0) {
        return;
    }
    // The index counts from now: a second key press during the fade moves on from it.
    feed_index_ = NormalFeedIndex(index, feeds);
    fading_ = true;
    FadeOutTicker([this] {
        fading_ = false;
        LoadFeed(feed_index_);
    });
}

void TRSSFontForm::LoadFeed(int index) {
    const std::vector<std::string>& feeds = environment_.settings.FeedList;
    if (feeds.empty()) {
        return;
    }
    feed_index_ = NormalFeedIndex(index, static_cast<int>(feeds.size()));
    environment_.http.Cancel();
    ++load_;
    busy_ = false;
    feed_name_ = feeds[static_cast<size_t>(feed_index_)];
    const std::string address = FeedAddress(environment_.settings_file, feed_name_);
    if (address.empty()) {
        return;
    }
    busy_ = true;
    HttpTransferEvents events;
    events.status = [this](const std::string& text) {
        SetStatus("  [" + feed_name_ + "] " + text);
    };
    events.work_begin = [this](int64_t maximum) { status_tag_ = maximum; };
    events.work = [this](int64_t count) {
        SetStatus("  Progress: " + std::to_string(count) + " of " + std::to_string(status_tag_));
    };
    events.work_end = [this] {
        if (!shared_.paused) {
            SetStatusVisible(false);
        }
    };
    events.done = [this](HttpResult result) { FeedArrived(std::move(result)); };
    environment_.http.Get(address, std::move(events));
}

namespace {

// Reads a feed into a component of its own; true when the load raised.
bool ParseFeed(std::string body, TSimpleRSS& rss) {
    try {
        std::istringstream stream(std::move(body));
        rss.LoadFromStream(stream);
        return false;
    } catch (const std::exception&) {
        return true;
    }
}

}  // namespace

void TRSSFontForm::FeedArrived(HttpResult result) {
    if (!result.ok) {
        busy_ = false;
        return;  // the previous feed's items stay
    }
    auto parsed = std::make_unique<TSimpleRSS>();
    UiDispatcher* ui = environment_.parse_dispatcher;
    if (!ui) {
        const bool raised = ParseFeed(std::move(result.body), *parsed);
        FeedParsed(std::move(parsed), raised);
        return;
    }
    // A big feed takes a while to parse: a worker thread does it, so the show and the
    // ticker's fades and keys go on meanwhile. The busy flag stays set until it is back.
    std::thread([this, ui, alive = alive_, load = load_, body = std::move(result.body),
                 parsed = std::shared_ptr<TSimpleRSS>(std::move(parsed))]() mutable {
        const bool raised = ParseFeed(std::move(body), *parsed);
        ui->Post([this, alive, load, parsed, raised] {
            if (*alive && load == load_) {
                FeedParsed(std::make_unique<TSimpleRSS>(std::move(*parsed)), raised);
            }
        });
    }).detach();
}

void TRSSFontForm::FeedParsed(std::unique_ptr<TSimpleRSS> parsed, bool raised) {
    busy_ = false;
    if (!parsed->XMLFile().Root()) {
        return;  // not even XML: the model keeps the previous feed
    }
    // What the parse read replaces the model, also when it raised.
    rss_ = std::move(*parsed);
    if (raised) {
        return;  // with no items the timer moves on to the next feed
    }
    environment_.viewer.Placement().right_of_ticker = false;
    DisplayItem(0);
    FadeInTicker();
}

void TRSSFontForm::FadeOutTicker(std::function<void()> then) {
    if (!shared_.stopped) {
        window_->Show();
    }
    FormShowTimer->SetEnabled(false);
    fade_out_->Start(std::move(then));
}

void TRSSFontForm::FadeInTicker() {
    if (!shared_.stopped) {
        window_->Show();
    }
    window_->SetOpacity(0);
    PlaceTextAreas();
    FormShowTimer->SetEnabled(true);
}

void TRSSFontForm::FormShowTimerTimer() {
    const TSaverSetting& settings = environment_.settings;
    if (settings.BlogListShow) {
        target_opacity_ = ClampOpacity(settings.BlogListBlendValue);
    } else {
        target_opacity_ = 0;
        window_->SetOpacity(0);
    }
    if (window_->Opacity() < target_opacity_ - kOpacityStep) {
        window_->SetOpacity(window_->Opacity() + kOpacityStep);
    } else {
        FormShowTimer->SetEnabled(false);
    }
}

bool TRSSFontForm::ListTemplateExists() const {
    std::error_code ignored;
    return !environment_.list_template.empty() &&
           std::filesystem::is_regular_file(environment_.list_template, ignored);
}

void TRSSFontForm::DisplayItem(int index) {
    const int items = rss_.Items().Count();
    if (items == 0) {
        return;
    }
    // Whatever brings the next item ends the scroll at a block's end, whether it came
    // from a key, the item timer or a feed load.
    page_end_timer_->SetEnabled(false);
    AAText->SetActive(false);
    try {
        const TSaverSetting& settings = environment_.settings;
        if (settings.BlogAutoScroll && environment_.viewer.Exists()) {
            environment_.viewer.ScrollToEnd();
        }
        item_index_ = index >= items ? 0 : (index < 0 ? items - 1 : index);
        window_->SetPanelVisible(!(settings.BlogListCustomized && ListTemplateExists()));
        const std::string title =
            rss_.HeaderTitle().empty() ? std::string("No Title") : rss_.HeaderTitle();
        const std::string info =
            TickerInfo(rss_, environment_.time_text(rss_.Items().Items(0).PubDate.DateTime));
        const bool styled = window_->PanelVisible();
        int first = 0;
        const std::vector<std::string> entries =
            TickerEntries(rss_, item_index_, styled ? AAText->Width() : -1, first);
        const int position = item_index_ % 10;
        if (styled) {
            AAText2->Text().SetLines({"<Title1>" + title, "<Text2> - " + info, "<line>"});
            ShowList(entries, position, item_index_);
            if (page_end_timer_->Enabled()) {
                return;  // the item is shown; the list changes when the scroll ends
            }
        } else {
            WriteListPage(title, info, entries, position);
        }
        environment_.viewer.ShowItem(rss_, item_index_);
    } catch (const std::exception&) {
        // What could not be shown stays as it was; the ticker goes on.
    }
}

void TRSSFontForm::ShowList(const std::vector<std::string>& entries, int position, int current) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < entries.size(); ++i) {
        lines.push_back((static_cast<int>(i) == position ? "<text3>" : "<text1>") + entries[i]);
    }
    AAText->Text().SetLines(lines);
    if (position != 9 || current + 1 >= rss_.Items().Count()) {
        return;
    }
    // At the end of a block of ten the list scrolls on for a while, then holds the items
    // after the current one.
    environment_.viewer.ShowItem(rss_, current);
    std::vector<std::string> rest;
    for (size_t i = static_cast<size_t>(position) + 1; i < entries.size(); ++i) {
        rest.push_back("<text1>" + entries[i]);
    }
    page_end_rest_ = std::move(rest);
    AAText->SetActive(true);
    page_end_timer_->SetEnabled(true);
}

void TRSSFontForm::EndPageScroll() {
    page_end_timer_->SetEnabled(false);
    AAText->SetActive(false);
    AAText->Text().SetLines(std::move(page_end_rest_));
    page_end_rest_.clear();
}

void TRSSFontForm::WriteListPage(const std::string& title, const std::string& info,
                                 const std::vector<std::string>& entries, int position) {
    const std::string page = ListPage(PageTemplateText(FileContents(environment_.list_template)),
                                      title, info, entries, position);
    const std::string path = environment_.working_folder + "tmp2.htm";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << page;
    }
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored)) {
        web2->Navigate(path);
    }
}

void TRSSFontForm::NextItem() {
    AAText->SetActive(false);
    DisplayItem(item_index_ + 1);
}

void TRSSFontForm::PreviousItem() {
    AAText->SetActive(false);
    DisplayItem(item_index_ - 1);
}

void TRSSFontForm::SetStatus(const std::string& caption) {
    if (shared_.show) {
        shared_.show->SetPanelText(ShowPanel::Feed, caption);
    }
}

void TRSSFontForm::SetStatusVisible(bool visible) {
    if (shared_.show) {
        shared_.show->SetPanelVisible(ShowPanel::Feed, visible);
    }
}

bool TRSSFontForm::HandleTickerInput(const InputMessage& message) {
    if (!environment_.viewer.Exists()) {
        return false;
    }
    const int feeds = static_cast<int>(environment_.settings.FeedList.size());
    switch (message.message) {
        case WM_MBUTTONUP:
            if (feeds > 0) {
                LoadFeed(RandomFeedIndex(feeds, environment_.random));
            }
            return true;
        case WM_MOUSEWHEEL: {
            const auto delta = static_cast<int16_t>(message.wparam >> 16);
            if (delta > 0) {
                PreviousItem();
            } else if (delta < 0) {
                NextItem();
            }
            return true;
        }
        case WM_XBUTTONUP:
            if (message.wparam == 0x20000) {
                LoadFeed(feed_index_ + 1);
            } else if (message.wparam == 0x10000) {
                LoadFeed(feed_index_ - 1);
            }
            return true;
        default:
            break;
    }
    if (!IsKeyDown(message)) {
        return false;
    }
    switch (message.wparam) {
        case VK_RETURN:
            if (!environment_.viewer.Link().empty()) {
                environment_.shell.OpenDocument(environment_.viewer.Link());
            }
            return true;
        case VK_SPACE:
            shared_.paused = !shared_.paused;
            SetStatus(kPauseText);
            SetStatusVisible(shared_.paused);
            return true;
        case VK_LEFT:
            FadeOutAndLoad(feed_index_ - 1);
            return true;
        case VK_UP:
            PreviousItem();
            return true;
        case VK_RIGHT:
            FadeOutAndLoad(feed_index_ + 1);
            return true;
        case VK_DOWN:
            NextItem();
            return true;
        default:
            return false;
    }
}

}  // namespace saver
