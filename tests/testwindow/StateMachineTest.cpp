// SPDX-License-Identifier: MIT
// The test window's state: setters, counters, the picture timer, the panel,
// the keys; what every paint covers and the refusal of pictures that need
// more colours.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "support/TestSupport.h"
#include "testwindow/TestWndGroup.h"

namespace {

// Each event and the state after it: setters repaint only on a change and
// ignore values out of range; a new picture resets the counters; the timer
// runs (750 ms) exactly while high voltage is shown; counters wrap.
TEST(TestWindow, EventsChangeTheStateByTheRules) {
    using Event = void (*)(CTestWnd&, std::uint32_t);
    constexpr Event kPicture = [](CTestWnd& w, std::uint32_t v) { w.SetPicture(BYTE(v)); };
    constexpr Event kLevel = [](CTestWnd& w, std::uint32_t v) { w.SetResolution(BYTE(v)); };
    constexpr Event kColor = [](CTestWnd& w, std::uint32_t v) { w.SetColor(v); };
    constexpr Event kRightClick = [](CTestWnd& w, std::uint32_t) { w.OnRButtonDown(); };
    constexpr Event kTimer = [](CTestWnd& w, std::uint32_t) { w.OnTimer(); };
    constexpr Event kSetCounters = [](CTestWnd& w, std::uint32_t v) {
        w.SetVariant(v);
        w.SetTicks(v);
    };
    constexpr struct {
        Event event;
        std::uint32_t value;
        int picture, level;
        std::uint32_t variant, ticks;
        int invalidations;
        bool timer;
        int changes;  // told to the listener, each after the change
    } kSteps[] = {
        {kPicture, 0, 0, 1, 0, 0, 0, false, 0},
        {kLevel, 1, 0, 1, 0, 0, 0, false, 0},
        {kTimer, 0, 0, 1, 0, 0, 0, false, 0},
        {kPicture, 4, 4, 1, 0, 0, 1, false, 1},
        {kLevel, 2, 4, 2, 0, 0, 2, false, 2},
        {kColor, 0x00FF00, 4, 2, 0, 0, 3, false, 3},
        {kPicture, 13, 4, 2, 0, 0, 3, false, 3},
        {kLevel, 3, 4, 2, 0, 0, 3, false, 3},
        {kRightClick, 0, 4, 2, 1, 0, 4, false, 4},
        {kPicture, 4, 4, 2, 1, 0, 4, false, 4},
        {kPicture, 11, 11, 2, 0, 0, 5, true, 5},
        {kTimer, 0, 11, 2, 0, 1, 6, true, 5},
        {kPicture, 11, 11, 2, 0, 1, 6, true, 5},
        {kSetCounters, UINT32_MAX, 11, 2, UINT32_MAX, UINT32_MAX, 6, true, 5},
        {kRightClick, 0, 11, 2, 0, UINT32_MAX, 7, true, 6},
        {kTimer, 0, 11, 2, 0, 0, 8, true, 6},
        {kPicture, 3, 3, 2, 0, 0, 9, false, 7},
        {kTimer, 0, 3, 2, 0, 0, 9, false, 7},
    };
    RecordingHost host;
    auto wnd = std::make_unique<CTestWnd>(host, 1024, 768, 16);
    struct Listener : ITestWndListener {
        void OnTestWndChanged() override {
            ++changes;
            seen = {w->Picture(), w->Resolution(), w->Color(), w->Variant()};
        }
        void OnTestWndGone() override { w = nullptr; }
        CTestWnd* w;
        int changes = 0;
        std::tuple<int, int, COLORREF, std::uint32_t> seen;
    } listener;
    listener.w = wnd.get();
    wnd->SetListener(&listener);
    for (const auto& s : kSteps) {
        const int before = listener.changes;
        s.event(*wnd, s.value);
        const auto step = &s - kSteps;
        EXPECT_EQ(listener.changes, s.changes) << step;
        EXPECT_TRUE(listener.changes == before ||
                    listener.seen ==
                        std::tuple(wnd->Picture(), wnd->Resolution(), wnd->Color(), wnd->Variant()))
            << step;
        EXPECT_EQ(wnd->Picture(), s.picture) << step;
        EXPECT_EQ(wnd->Resolution(), s.level) << step;
        EXPECT_EQ(wnd->Variant(), s.variant) << step;
        EXPECT_EQ(wnd->Ticks(), s.ticks) << step;
        EXPECT_EQ(host.invalidations, s.invalidations) << step;
        EXPECT_EQ(host.timerRunning, s.timer) << step;
    }
    EXPECT_EQ(host.timerPeriodMs, 750u);
    wnd.reset();
    EXPECT_EQ(listener.w, nullptr);
}

// Left clicks hide and show the panel and keep the cursor balanced; with
// the panel hidden the keys step through the pictures like the panel does.
// Keys and clicks reach the windows of every monitor through their group: a
// picture step goes once through the panel to all, a variant step to each,
// and the one cursor is counted once, by the leading window's host.
TEST(TestWindow, KeysWithThePanelHiddenStepThroughThePictures) {
    RecordingHost host, otherHost;
    CTestWnd wnd(host, 640, 480, 32), other(otherHost, 1920, 1080, 32);
    CTestWndGroup group;
    group.Add(wnd, host);
    group.Add(other, otherHost);
    group.OnLButtonDown();  // no panel registered: nothing happens
    struct GroupPanel : FakePanel {
        GroupPanel(ITestWndHost& host, CTestWnd& wnd, CTestWndGroup& group)
            : FakePanel(host, wnd), group(group) {}
        void SelectPicture(int picture) override { group.SetPicture(static_cast<BYTE>(picture)); }
        CTestWndGroup& group;
    } panel(host, wnd, group);
    group.SetPanel(&panel);
    group.OnKeyDown(TestWndKey::kRight);  // the panel is up: its keys are its own
    EXPECT_EQ(wnd.Picture(), 0);
    group.OnLButtonDown();
    EXPECT_FALSE(panel.visible);
    EXPECT_EQ(host.raised, 1);

    using K = TestWndKey;
    constexpr struct {
        TestWndKey key;
        int picture;
        std::uint32_t variant;
    } kSteps[] = {
        {K::kLeft, 12, 0},    {K::kRight, 0, 0}, {K::kSpace, 0, 1},    {K::kDown, 1, 0},
        {K::kPageDown, 2, 0}, {K::kSpace, 2, 1}, {K::kSpace, 2, 2},    {K::kUp, 1, 0},
        {K::kPageUp, 0, 0},   {K::kUp, 12, 0},   {K::kSpace, 12, 1},   {K::kEnd, 12, 1},
        {K::kHome, 0, 0},     {K::kEnd, 12, 0},  {K::kPageDown, 0, 0}, {K::kOther, 0, 0},
        {K::kPageUp, 12, 0},  {K::kDown, 0, 0},  {K::kLeft, 12, 0},
    };
    for (const auto& step : kSteps) {
        group.OnKeyDown(step.key);
        for (const CTestWnd* w : {&wnd, &other}) {
            EXPECT_EQ(w->Picture(), step.picture) << static_cast<int>(step.key);
            EXPECT_EQ(w->Variant(), step.variant) << static_cast<int>(step.key);
        }
        EXPECT_FALSE(panel.visible);
    }
    group.OnRButtonDown();
    EXPECT_EQ(wnd.Variant(), 1u);
    EXPECT_EQ(other.Variant(), 1u);
    EXPECT_EQ(host.cursorCount, -1);
    EXPECT_EQ(otherHost.cursorCount, 0);
    for (TestWndKey key : {K::kEscape, K::kReturn}) {
        group.OnKeyDown(key);
        EXPECT_TRUE(panel.visible);
        EXPECT_EQ(panel.raised, key == K::kEscape ? 1 : 2);
        EXPECT_EQ(host.cursorCount, 0);
        group.OnKeyDown(key);  // the panel's own keys from here
        EXPECT_TRUE(panel.visible);
        group.OnLButtonDown();
    }
    // A window that goes takes no more calls; the next one leads.
    group.Remove(wnd);
    group.SetPicture(3);
    EXPECT_EQ(wnd.Picture(), 12);
    EXPECT_EQ(other.Picture(), 3);
    EXPECT_EQ(&group.Lead(), &other);
}

// Every paint sets every pixel of the screen: nothing from before shows
// through. Pictures that need more colours than the display has leave it
// black, with one message per selection.
TEST(TestWindow, PaintsCoverTheScreenAndRefuseWhatNeedsMoreColours) {
    constexpr struct {
        int bpp;
        std::uint32_t refused;  // bit i: picture i
    } kDepths[] = {{1, 0b1101011000000}, {4, 0b1000000}, {8, 0}, {32, 0}};
    const std::string message = std::string("zynmon: ") + CTestWnd::kRefusalMessage;
    for (const auto& d : kDepths) {
        for (int picture = 0; picture < CTestWnd::kPictureCount; ++picture) {
            const bool refused = (d.refused >> picture & 1) != 0;
            Screen screen(64, 48, d.bpp);
            Screen other(64, 48, d.bpp);
            CBrush red(kRed);
            const RECT all{0, 0, 64, 48};
            for (int level = 0; level < 3; ++level) {
                CDC(other.surface).FillRect(&all, &red);
                screen.Paint(picture, level);
                other.Paint(picture, level);
                EXPECT_TRUE(SamePixels(screen.surface, other.surface))
                    << d.bpp << " " << picture << " " << level;
            }
            screen.Paint();  // a repaint shows no second message
            EXPECT_TRUE(!refused || LitBounds(screen.surface, all) == RECT{})
                << d.bpp << " " << picture;
            screen.Paint(0);
            screen.Paint(picture);  // a new selection shows it again
            EXPECT_EQ(screen.host.messages, std::vector(refused ? 2 : 0, message))
                << d.bpp << " " << picture;
        }
    }
}

}  // namespace
