#pragma once

// A feed window (ticker or item viewer) that records what it is told.
#include <map>

#include "platform/FeedWindow.h"
#include "support/FakeWindowSystem.h"

namespace saver::test {

class FakeFeedWindow : public FeedWindow {
  public:
    Browser& WebBrowser() override { return browser; }
    void SetBounds(int l, int t, int w, int h) override { bounds = {l, t, w, h}; }
    void SetOpacity(int value) override { opacity = value; }
    int Opacity() const override { return opacity; }
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    bool Visible() const override { return visible; }
    void BringToFront() override { ++raised; }
    void SetPanelVisible(bool on) override { panel_visible = on; }
    bool PanelVisible() const override { return panel_visible; }
    void SetBevel(bool raised) override { bevel = raised; }
    void DrawPicture(int slot, int, int, const PixelRows& pixels) override {
        pictures[slot] = pixels.width;
    }

    FakeBrowser browser;
    MonitorArea bounds;
    int opacity = 0;
    bool visible = false;
    int raised = 0;
    bool panel_visible = true;
    bool bevel = false;
    std::map<int, int> pictures;  // slot -> width of the last picture
};

}  // namespace saver::test
