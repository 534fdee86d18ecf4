#pragma once

#include "platform/SettingsDialogWindow.h"

#include <string>
#include <vector>

namespace saver::test {

// The settings dialog's window as plain data: labels are 6 pixels a character, Run
// reports the dialog shown and returns at once, and what the core asked of the window is
// recorded.
class FakeSettingsDialogWindow : public SettingsDialogWindow {
  public:
    int LabelWidth(const DialogLabel& label) override {
        return static_cast<int>(label.text.size()) * 6;
    }
    void Run(SettingsDialogControls&, SettingsDialogHandler& handler) override {
        ++runs;
        if (reports_shown) {
            handler.DialogShown();
        }
    }
    void Refresh() override { ++refreshes; }
    void Close() override { ++closes; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    bool reports_shown = true;
    int runs = 0;
    int refreshes = 0;
    int closes = 0;
    std::vector<std::string> messages;
};

}  // namespace saver::test
