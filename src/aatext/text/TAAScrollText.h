#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "aatext/bitmap/Bitmap24.h"
#include "aatext/text/TAACustomText.h"
#include "aatext/text/TScrollTextParam.h"
#include "aatext/timer/TAATimer.h"

namespace saver {

class TAAScrollText;
using TControlEvent = std::function<void(TAAScrollText& sender)>;

// Lays out styled lines into one tall text image and scrolls it vertically on the shared
// animation timer, drawing each frame with faded top and bottom edges.
//
// The control is windowless: every frame is drawn into its frame image and handed to
// Surface, which its owner sets to put it on screen. Everything runs on the
// user-interface thread.
class TAAScrollText : public TAACustomText {
  public:
    explicit TAAScrollText(TAATimerMgr& timers = TimerMgr(), const Registry* registry = nullptr);
    ~TAAScrollText() override;

    TScrollTextParam& Text() { return text_; }

    bool Active() const { return active_; }
    void SetActive(bool value);
    uint16_t ScrollDelay() const { return scroll_delay_; }
    void SetScrollDelay(uint16_t value);
    int32_t ScrollStep() const { return scroll_step_; }
    void SetScrollStep(int32_t value) { scroll_step_ = value; }
    uint16_t RepeatDelay() const { return repeat_delay_; }
    void SetRepeatDelay(uint16_t value);
    int32_t RepeatCount() const { return repeat_count_; }
    // Clamped to 0..2147483647; a change rebuilds the text image.
    void SetRepeatCount(int32_t value);

    int ScrollOffset() const { return offset_; }
    // Moves to v modulo the text image height and draws the frame at once.
    void SetScrollOffset(int value);
    int CycleCounter() const { return cycle_; }

    const Bitmap24& TextImage() const { return text_image_; }
    const Bitmap24& FrameImage() const { return frame_image_; }

    // Lays out and draws all lines into the text image.
    void BuildTextImage();

    // The handlers of the animation timer and of the repeat-delay timer.
    void ScrollTick();
    void DelayEnd();

    std::function<void(const Bitmap24& frame)> Surface;
    TControlEvent OnTextReady;
    TControlEvent OnPainted;
    TControlEvent OnComplete;

  protected:
    void DrawFrame() override;
    void Rebuild() override;

  private:
    // Tags of one source line applied to the current font, effect and alignment.
    std::string ProcessLine(const std::string& line, TAlignment& alignment, bool reset_alignment);
    std::vector<std::string> RowsOf(const std::string& display);
    int LayoutTop() const;
    int MeasureTextHeight();
    void DrawBackground();
    void DrawRows();
    void CopyTextRows();
    void FadeEdges();

    TScrollTextParam text_;
    Bitmap24 text_image_;
    Bitmap24 frame_image_;
    TCanvas text_canvas_;
    TAATimer timer_;
    TAATimer delay_timer_;
    bool active_ = true;
    uint16_t scroll_delay_ = 60;
    int32_t scroll_step_ = 1;
    uint16_t repeat_delay_ = 2000;
    int32_t repeat_count_ = 0;
    int offset_ = 0;
    int cycle_ = -1;
};

}  // namespace saver
