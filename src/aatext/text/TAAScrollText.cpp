#include "aatext/text/TAAScrollText.h"

#include <algorithm>

#include "aatext/text/TextRows.h"
#include "aatext/text/Utf8.h"

namespace saver {

namespace {

// Lowers the update lock when it goes out of scope, also when an exception passes.
class UpdateScope {
  public:
    explicit UpdateScope(TAAGraphicControl& control) : control_(control) { control_.BeginUpdate(); }
    ~UpdateScope() { control_.EndUpdate(); }
    UpdateScope(const UpdateScope&) = delete;
    UpdateScope& operator=(const UpdateScope&) = delete;

  private:
    TAAGraphicControl& control_;
};

}  // namespace

TAAScrollText::TAAScrollText(TAATimerMgr& timers, const Registry* registry)
    : TAACustomText(registry), text_(*this), timer_(timers), delay_timer_(timers) {
    text_.OnChange = [this](TNotifyClass*) { Changed(); };
    timer_.SetEnabled(false);
    timer_.SetInterval(scroll_delay_);
    timer_.SetOnTimer([this](TAATimerObject&) { ScrollTick(); });
    delay_timer_.SetEnabled(false);
    delay_timer_.SetInterval(repeat_delay_);
    delay_timer_.SetOnTimer([this](TAATimerObject&) { DelayEnd(); });
}

TAAScrollText::~TAAScrollText() {
    SetDestroying();
    SetActive(false);
}

void TAAScrollText::SetActive(bool value) {
    if (value == active_) {
        return;
    }
    active_ = value;
    timer_.SetEnabled(value);
    if (!value) {
        delay_timer_.SetEnabled(false);
    }
}

void TAAScrollText::SetScrollDelay(uint16_t value) {
    if (value != scroll_delay_) {
        scroll_delay_ = value;
        timer_.SetInterval(value);
    }
}

void TAAScrollText::SetRepeatDelay(uint16_t value) {
    if (value != repeat_delay_) {
        repeat_delay_ = value;
        delay_timer_.SetInterval(value);
    }
}

void TAAScrollText::SetRepeatCount(int32_t value) {
    value = std::max(value, 0);
    if (value != repeat_count_) {
        repeat_count_ = value;
        Changed();
    }
}

std::string TAAScrollText::ProcessLine(const std::string& line, TAlignment& alignment,
                                       bool reset_alignment) {
    if (text_.LabelEffect() == leOnlyALine) {
        text_canvas_.Font = text_.Font();
        AAFont().Effect().Assign(text_.FontEffect());
        if (reset_alignment) {
            alignment = text_.Alignment();
        }
    }
    std::string display = line;
    Fonts().ApplyFontTags(display, text_canvas_.Font, AAFont().Effect());
    Labels().ApplyLabelTags(display, alignment);
    return display;
}

std::vector<std::string> TAAScrollText::RowsOf(const std::string& display) {
    const int width = Width();
    if (text_.WordWrap()) {
        const int text_width = AAFont().TextWidth(display);
        if (text_width > width) {
            int m = static_cast<int>(Utf8Columns(display) * width / text_width);
            while (m > 0 && AAFont().TextWidth(std::string(Utf8ColumnPrefix(display, m))) > width) {
                --m;
            }
            return SplitRows(WrapLine(display, m));
        }
    }
    if (!display.empty()) {
        return SplitRows(display);
    }
    return {" "};
}

int TAAScrollText::LayoutTop() const {
    return (text_.Fade() ? text_.FadeHeight() : 0) + Height() * text_.HeadSpace() / 100;
}

int TAAScrollText::MeasureTextHeight() {
    AAFont().Effect().Assign(text_.FontEffect());
    text_canvas_.Font = text_.Font();
    TAlignment alignment = text_.Alignment();
    int total = LayoutTop();
    for (const std::string& line : std::vector<std::string>(text_.Lines())) {
        const std::string display = ProcessLine(line, alignment, false);
        const int rows = static_cast<int>(RowsOf(display).size());
        total += rows * PitchedHeight(text_.RowPitch(), AAFont().TextHeight(display + " "));
    }
    total += Height() * text_.TailSpace() / 100;
    return std::max(total, Height());
}

void TAAScrollText::DrawBackground() {
    const TPicture& picture = text_.BackGround();
    if (picture.Empty()) {
        return;
    }
    const Bitmap24& bitmap = picture.Bitmap();
    switch (text_.BackGroundMode()) {
        case bmTiled:
            text_image_.Tile(bitmap);
            break;
        case bmStretched:
            text_image_.StretchDraw(0, 0, text_image_.Width(), text_image_.Height(), bitmap);
            break;
        case bmCenter:
            text_image_.Draw((text_image_.Width() - bitmap.Width()) / 2,
                             (text_image_.Height() - bitmap.Height()) / 2, bitmap);
            break;
        case bmNormal:
            text_image_.Draw(0, 0, bitmap);
            break;
    }
}

void TAAScrollText::DrawRows() {
    text_canvas_.Brush.Style = bsClear;
    AAFont().Effect().Assign(text_.FontEffect());
    text_canvas_.Font = text_.Font();
    TAlignment alignment = text_.Alignment();
    int y = LayoutTop();
    for (const std::string& line : std::vector<std::string>(text_.Lines())) {
        const std::string display = ProcessLine(line, alignment, true);
        for (const std::string& row : RowsOf(display)) {
            const int h = PitchedHeight(text_.RowPitch(), AAFont().TextHeight(row + " "));
            const int w = AAFont().TextWidth(row);
            int x = 0;
            if (alignment == taRightJustify) {
                x = text_image_.Width() - w;
            } else if (alignment == taCenter) {
                x = (text_image_.Width() - w) / 2;
            }
            if (!row.empty()) {
                AAFont().TextOut(x, y, row);
            }
            y += h;
        }
    }
}

void TAAScrollText::BuildTextImage() {
    UpdateScope update(*this);
    text_image_.SetSize(Width(), 0);
    text_canvas_.Bitmap = &text_image_;
    text_canvas_.Brush = TBrush{Color(), bsSolid};
    AAFont().SetCanvas(&text_canvas_);
    const int total = MeasureTextHeight();
    text_image_.SetSize(Width(), total);
    text_image_.Fill(ColorToRgb(Color()));
    DrawBackground();
    DrawRows();
    if (OnTextReady) {
        OnTextReady(*this);
    }
}

void TAAScrollText::Rebuild() {
    const bool was_active = active_;
    cycle_ = -1;
    SetActive(false);
    BuildTextImage();
    offset_ = 0;
    Paint();
    SetActive(was_active);
}

void TAAScrollText::ScrollTick() {
    if (offset_ == 0) {
        ++cycle_;
        if (repeat_count_ > 0 && cycle_ >= repeat_count_) {
            SetActive(false);
            cycle_ = -1;
            if (OnComplete) {
                OnComplete(*this);
            }
            return;
        }
        if (repeat_delay_ > 0) {
            timer_.SetEnabled(false);
            delay_timer_.SetEnabled(true);
            return;
        }
    }
    const int height = text_image_.Height();
    if ((scroll_step_ > 0 && offset_ + scroll_step_ >= height) ||
        (scroll_step_ < 0 && offset_ + scroll_step_ < 0)) {
        SetScrollOffset(0);
        return;
    }
    SetScrollOffset(offset_ + scroll_step_);
}

void TAAScrollText::DelayEnd() {
    delay_timer_.SetEnabled(false);
    SetScrollOffset(offset_ + scroll_step_);
    if (active_) {
        timer_.SetEnabled(true);
    }
}

void TAAScrollText::SetScrollOffset(int value) {
    if (value == offset_) {
        return;
    }
    const int height = text_image_.Height();
    offset_ = height > 0 ? ((value % height) + height) % height : 0;
    Paint();
}

void TAAScrollText::CopyTextRows() {
    const int w = Width();
    const int h = Height();
    const int t = text_image_.Height();
    if (t == 0) {
        frame_image_.Fill(ColorToRgb(Color()));
        return;
    }
    if (t >= offset_ + h) {
        frame_image_.CopyRect(0, 0, text_image_, 0, offset_, w, h);
        return;
    }
    // The text wraps round: its end, then its start below it.
    frame_image_.CopyRect(0, 0, text_image_, 0, offset_, w, t - offset_);
    for (int y = t - offset_; y < h; y += t) {
        frame_image_.CopyRect(0, y, text_image_, 0, 0, w, std::min(t, h - y));
    }
}

void TAAScrollText::FadeEdges() {
    const int h = frame_image_.Height();
    const int fade = text_.FadeHeight();
    const Rgb bg = ColorToRgb(Color());
    const int channel_bg[3] = {bg.b, bg.g, bg.r};
    const int bytes = frame_image_.Width() * 3;
    for (int b = 0; b < std::min(fade, h); ++b) {
        // A single faded row takes the background colour.
        const int a = fade > 1 ? b * 255 / (fade - 1) : 0;
        for (int y : {b, h - 1 - b}) {
            uint8_t* row = frame_image_.Row(y);
            for (int i = 0; i < bytes; ++i) {
                const int base = channel_bg[i % 3];
                row[i] = static_cast<uint8_t>(base + (((row[i] - base) * a) >> 8));
            }
        }
    }
}

void TAAScrollText::DrawFrame() {
    frame_image_.SetSize(Width(), Height());
    CopyTextRows();
    if (text_.Fade()) {
        FadeEdges();
    }
    if (!Destroying() && Surface) {
        Surface(frame_image_);
    }
    if (OnPainted) {
        OnPainted(*this);
    }
}

}  // namespace saver
