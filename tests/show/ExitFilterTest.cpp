#include "show/ExitFilter.h"

#include <gtest/gtest.h>

#include <functional>

namespace saver {
namespace {

using Configure = std::function<void(TSaverSetting&)>;

void Defaults(TSaverSetting&) {}  // MousePress and KeyboardPress on
void NoCondition(TSaverSetting& s) {
    s.MouseMove = s.MousePress = s.KeyboardPress = s.OnlyEscKeyExit = false;
}
void OnlyEsc(TSaverSetting& s) {
    s.OnlyEscKeyExit = true;
}
void CursorNoKeyboard(TSaverSetting& s) {
    s.ShowCursor = true;
    s.KeyboardPress = false;
}
void MouseOnly(TSaverSetting& s) {
    s.KeyboardPress = false;
    s.MousePress = true;
}
void LinkExit(TSaverSetting& s) {
    s.WebLinkExit = true;
}

InputMessage Key(uint32_t code, uint32_t message = WM_KEYDOWN) {
    return {message, code, 1, 0};
}
InputMessage Mouse(uint32_t message) {
    return {message, 0, 0, 0};
}
InputMessage Wheel() {
    return {WM_MOUSEWHEEL, uint64_t{120} << 16, 0, 0};
}

struct FilterCase {
    const char* name;
    Configure configure;
    InputMessage message;
    bool ticker_takes;
    bool handled;
    bool end_show;
    bool navigation;
    bool open_link_window;
};

const FilterCase kFilterCases[] = {
    {"DefaultsKeyEnds", Defaults, Key('A'), false, true, true, false, false},
    {"AltKeyEnds", Defaults, Key('A', WM_SYSKEYDOWN), false, true, true, false, false},
    // No exit condition set: any key ends, clicks and moves do not.
    {"NoConditionKeyEnds", NoCondition, Key('A'), false, true, true, false, false},
    {"NoConditionClickPasses", NoCondition, Mouse(WM_LBUTTONUP), false, false, false, false, false},
    {"NoConditionMovePasses", NoCondition, Mouse(WM_MOUSEMOVE), false, false, false, false, false},
    // Only Esc: other keys go on to the page.
    {"OnlyEscEscEnds", OnlyEsc, Key(VK_ESCAPE), false, true, true, false, false},
    {"OnlyEscOtherKeyPasses", OnlyEsc, Key('A'), false, false, false, false, false},
    {"OnlyEscClickPasses", OnlyEsc, Mouse(WM_LBUTTONUP), false, false, false, false, false},
    {"OnlyEscWheelPasses", OnlyEsc, Wheel(), false, false, false, false, false},
    // ShowCursor with KeyboardPress off: keys end it, the wheel and middle button do not.
    {"CursorKeyEnds", CursorNoKeyboard, Key('A'), false, true, true, false, false},
    {"CursorWheelPasses", CursorNoKeyboard, Wheel(), false, false, false, false, false},
    {"CursorMiddlePasses", CursorNoKeyboard, Mouse(WM_MBUTTONUP), false, false, false, false,
     false},
    {"CursorClickPasses", CursorNoKeyboard, Mouse(WM_LBUTTONUP), false, false, false, false, false},
    // KeyboardPress off, MousePress on: the wheel passes, a left or right release ends.
    {"MouseOnlyWheelPasses", MouseOnly, Wheel(), false, false, false, false, false},
    {"MouseOnlyLeftEnds", MouseOnly, Mouse(WM_LBUTTONUP), false, true, true, false, false},
    {"MouseOnlyRightEnds", MouseOnly, Mouse(WM_RBUTTONUP), false, true, true, false, false},
    {"MouseOnlyXButtonPasses", MouseOnly, Mouse(WM_XBUTTONUP), false, false, false, false, false},
    {"DefaultsWheelEnds", Defaults, Wheel(), false, true, true, false, false},
    // Presses are no exit messages; only releases are.
    {"ButtonDownPasses", Defaults, Mouse(WM_LBUTTONDOWN), false, false, false, false, false},
    {"KeyUpPasses", Defaults, Key('A', WM_KEYUP), false, false, false, false, false},
    // Navigation keys never end the show, whatever the conditions say.
    {"PageDownNavigates", Defaults, Key(VK_NEXT), false, true, false, true, false},
    {"PauseNavigates", NoCondition, Key(VK_PAUSE), false, true, false, true, false},
    {"AltHomeNavigates", Defaults, Key(VK_HOME, WM_SYSKEYDOWN), true, true, false, true, false},
    {"NavigationKeyUpPasses", OnlyEsc, Key(VK_NEXT, WM_KEYUP), false, false, false, false, false},
    // The ticker takes keys first; only Enter then ends the show.
    {"TickerArrowHandled", Defaults, Key(VK_DOWN), true, true, false, false, false},
    {"TickerWheelHandled", Defaults, Wheel(), true, true, false, false, false},
    {"TickerEnterEnds", OnlyEsc, Key(VK_RETURN), true, true, true, false, false},
    // Link following: the release opens the link window and reaches the page.
    {"LinkExitClickOpensLinkWindow", LinkExit, Mouse(WM_LBUTTONUP), false, false, false, false,
     true},
    {"LinkExitKeyEnds", LinkExit, Key('A'), false, true, true, false, false},
    {"ScreenSaveCommandSwallowed",
     Defaults,
     {WM_SYSCOMMAND, SC_SCREENSAVE, 0, 0},
     false,
     true,
     false,
     false,
     false},
    {"OtherCommandPasses",
     Defaults,
     {WM_SYSCOMMAND, 0xF060, 0, 0},
     false,
     false,
     false,
     false,
     false},
};

class FilterMessageTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterMessageTest, Decides) {
    const FilterCase& row = GetParam();
    TSaverSetting settings;
    row.configure(settings);
    ExitFilter filter(settings);
    const InputVerdict verdict =
        filter.FilterMessage(row.message, [&](const InputMessage&) { return row.ticker_takes; });
    EXPECT_EQ(verdict.handled, row.handled);
    EXPECT_EQ(verdict.end_show, row.end_show);
    EXPECT_EQ(verdict.navigation, row.navigation);
    EXPECT_EQ(verdict.open_link_window, row.open_link_window);
}

INSTANTIATE_TEST_SUITE_P(Rows, FilterMessageTest, ::testing::ValuesIn(kFilterCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExitFilterTest, TwentyFirstMoveEndsAndResetStartsTheCountAgain) {
    TSaverSetting settings;
    settings.MouseMove = true;
    ExitFilter filter(settings);
    const InputMessage move = Mouse(WM_MOUSEMOVE);
    for (int i = 0; i < 20; ++i) {
        EXPECT_FALSE(filter.FilterMessage(move, nullptr).end_show) << "move " << i + 1;
    }
    filter.ResetMouseCountdown();
    for (int i = 0; i < 20; ++i) {
        EXPECT_FALSE(filter.FilterMessage(move, nullptr).end_show) << "move " << i + 1;
    }
    EXPECT_TRUE(filter.FilterMessage(move, nullptr).end_show);
}

TEST(ExitFilterTest, MovesNeverEndWithCursorOrOnlyEscOrWithoutMouseMove) {
    for (const Configure& configure : std::vector<Configure>{
             [](TSaverSetting& s) { s.MouseMove = true, s.ShowCursor = true; },
             [](TSaverSetting& s) { s.MouseMove = true, s.OnlyEscKeyExit = true; },
             [](TSaverSetting&) {}}) {
        TSaverSetting settings;
        configure(settings);
        ExitFilter filter(settings);
        for (int i = 0; i < 50; ++i) {
            EXPECT_FALSE(filter.FilterMessage(Mouse(WM_MOUSEMOVE), nullptr).end_show);
        }
    }
}

TEST(ExitFilterTest, AcceleratorKeepsNavigationKeysFromThePage) {
    TSaverSetting settings;
    settings.OnlyEscKeyExit = true;
    ExitFilter filter(settings);
    const InputVerdict page_down = filter.FilterAccelerator(Key(VK_NEXT), nullptr);
    EXPECT_TRUE(page_down.handled && page_down.navigation && !page_down.end_show);
    const InputVerdict letter = filter.FilterAccelerator(Key('A'), nullptr);
    EXPECT_FALSE(letter.handled || letter.end_show);
    EXPECT_TRUE(filter.FilterAccelerator(Key(VK_ESCAPE), nullptr).end_show);
    const auto ticker = [](const InputMessage&) { return true; };
    EXPECT_TRUE(filter.FilterAccelerator(Key(VK_RETURN), ticker).end_show);
    EXPECT_FALSE(filter.FilterAccelerator(Key(VK_SPACE), ticker).end_show);
}

TEST(ExitFilterTest, HookRecordsPressesAndWantsAFirstEscPressWithOnlyEsc) {
    TSaverSetting settings;
    settings.OnlyEscKeyExit = true;
    ExitFilter only_esc(settings);
    EXPECT_TRUE(only_esc.HookEventEnds({WM_KEYDOWN, VK_ESCAPE, 1 | (1 << 16), 0}));
    EXPECT_FALSE(only_esc.HookEventEnds({WM_KEYDOWN, VK_ESCAPE, 2 | (1 << 16), 0}));  // repeat
    EXPECT_FALSE(only_esc.HookEventEnds({WM_KEYDOWN, VK_ESCAPE, 1 | (9 << 16), 0}));  // scan code
    EXPECT_FALSE(only_esc.HookEventEnds(Mouse(WM_LBUTTONDOWN)));

    TSaverSetting defaults;
    ExitFilter filter(defaults);
    EXPECT_TRUE(filter.HookEventEnds(Key('A')));
    EXPECT_TRUE(filter.HookEventEnds(Mouse(WM_RBUTTONDOWN)));
    EXPECT_FALSE(filter.HookEventEnds(Mouse(WM_MBUTTONDOWN)));
    EXPECT_FALSE(filter.HookEventEnds(Mouse(WM_LBUTTONUP)));
}

}  // namespace
}  // namespace saver
