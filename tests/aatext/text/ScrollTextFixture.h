#pragma once

#include <gtest/gtest.h>

#include "aatext/text/TAAScrollText.h"
#include "aatext/text/TextRows.h"

namespace saver::test {

// A scrolling text control on a timer manager without a thread, driven by hand: Tick
// advances the fake clock and fires what is due, as the user-interface thread would.
struct ScrollTextFixture : ::testing::Test {
    uint32_t now = 0;
    TAATimerMgr timers{nullptr, [this] { return now; }};
    TAAScrollText text{timers};
    int frames = 0;

    ScrollTextFixture() {
        TFont font;
        font.Name = "DejaVu Sans";
        font.Height = 12;
        font.Color = clBlack;
        text.Text().SetFont(font);
        text.OnPainted = [this](TAAScrollText&) { ++frames; };
    }

    void Tick(uint32_t ms) {
        now += ms;
        timers.FireDue(true);
    }

    // The height the measuring pass gives one line in the given font (by default the
    // control's own font).
    int LineHeight(const std::string& display, const TFont* font = nullptr) {
        TCanvas canvas{nullptr, font != nullptr ? *font : text.Text().Font(), TBrush{}};
        TAAFontEx measure(&canvas);
        measure.SetQuality(text.Text().Quality());
        return PitchedHeight(text.Text().RowPitch(), measure.TextHeight(display + " "));
    }
};

}  // namespace saver::test
