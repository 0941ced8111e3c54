// The test window's state: setters, counters, the picture timer and the panel.
#include <gtest/gtest.h>

#include <vector>

#include "support/TestSupport.h"

namespace {

struct FakePanel : IPanel {
    explicit FakePanel(ITestWndHost& host) : host(host) {}
    bool IsWindowVisible() const override { return visible; }
    void ShowWindow(bool show) override { visible = show; }
    void BringWindowToTop() override { ++raised; }
    void OnFullScreen() override {
        visible = false;
        host.BringWindowToTop();
        host.ShowCursor(false);
    }
    // The panel's list chooses through the test window's setter.
    void SelectPicture(int picture) override {
        selected.push_back(picture);
        if (wnd != nullptr) {
            wnd->SetPicture(static_cast<BYTE>(picture));
        }
    }
    ITestWndHost& host;
    CTestWnd* wnd = nullptr;
    std::vector<int> selected;
    bool visible = true;
    int raised = 0;
};

TEST(TestWindow, StartsWithPictureZeroWhiteAtMediumAndReadsTheDisplay) {
    RecordingHost host;
    CTestWnd wnd(host, 1024, 768, 16);
    EXPECT_EQ(wnd.m_nPicture, 0);
    EXPECT_EQ(wnd.m_nResolution, 1);
    EXPECT_EQ(wnd.m_crColor, 0xFFFFFFu);
    EXPECT_EQ(wnd.m_dAspect, 0.75);
    EXPECT_FALSE(wnd.m_bPaletteMode);
    EXPECT_EQ(wnd.m_nNumColors, 65536u);
    EXPECT_FALSE(wnd.m_bTimerActive);
}

TEST(TestWindow, DisplayDepthDecidesPaletteModeAndColourCount) {
    RecordingHost host;
    for (int bpp : {1, 4, 8}) {
        EXPECT_TRUE(CTestWnd(host, 640, 480, bpp).m_bPaletteMode) << bpp;
    }
    for (int bpp : {15, 16, 24, 32}) {
        EXPECT_FALSE(CTestWnd(host, 640, 480, bpp).m_bPaletteMode) << bpp;
    }
    EXPECT_EQ(CTestWnd(host, 640, 480, 24).m_nNumColors, 16777216u);
    EXPECT_EQ(CTestWnd(host, 640, 480, 32).m_nNumColors, UINT32_MAX);
}

TEST(TestWindow, SettersInvalidateOnlyOnChange) {
    RecordingHost host;
    CTestWnd wnd(host, 640, 480, 32);
    wnd.SetPicture(0);
    wnd.SetResolution(1);
    wnd.SetColor(0xFFFFFF);
    EXPECT_EQ(host.invalidations, 0);
    wnd.SetPicture(4);
    wnd.SetResolution(2);
    wnd.SetColor(0x00FF00);
    EXPECT_EQ(host.invalidations, 3);
    // Values outside their range are ignored.
    wnd.SetPicture(13);
    wnd.SetResolution(3);
    EXPECT_EQ(wnd.m_nPicture, 4);
    EXPECT_EQ(wnd.m_nResolution, 2);
    EXPECT_EQ(host.invalidations, 3);
}

TEST(TestWindow, PictureChangeResetsCountersButReselectionKeepsThem) {
    RecordingHost host;
    CTestWnd wnd(host, 640, 480, 32);
    wnd.SetPicture(4);
    wnd.OnRButtonDown();
    wnd.OnRButtonDown();
    EXPECT_EQ(wnd.m_nVariant, 2u);
    EXPECT_EQ(host.invalidations, 3);
    wnd.SetPicture(4);
    EXPECT_EQ(wnd.m_nVariant, 2u);
    EXPECT_EQ(host.invalidations, 3);
    wnd.SetPicture(5);
    EXPECT_EQ(wnd.m_nVariant, 0u);
}

TEST(TestWindow, TimerRunsExactlyWhileHighVoltageIsSelected) {
    RecordingHost host;
    CTestWnd wnd(host, 640, 480, 32);
    wnd.OnTimer();  // a tick with no timer running is ignored
    EXPECT_EQ(wnd.m_nTicks, 0u);
    wnd.SetPicture(11);
    EXPECT_TRUE(host.timerRunning);
    EXPECT_EQ(host.timerPeriodMs, 750u);
    EXPECT_TRUE(wnd.m_bTimerActive);
    wnd.OnTimer();
    wnd.OnTimer();
    EXPECT_EQ(wnd.m_nTicks, 2u);
    wnd.SetPicture(11);
    EXPECT_EQ(wnd.m_nTicks, 2u);
    wnd.SetPicture(3);
    EXPECT_FALSE(host.timerRunning);
    EXPECT_FALSE(wnd.m_bTimerActive);
    EXPECT_EQ(wnd.m_nTicks, 0u);
    const int before = host.invalidations;
    wnd.OnTimer();  // late tick after the timer was stopped
    EXPECT_EQ(wnd.m_nTicks, 0u);
    EXPECT_EQ(host.invalidations, before);
}

TEST(TestWindow, CountersWrapAtTwoToTheThirtyTwo) {
    RecordingHost host;
    CTestWnd wnd(host, 640, 480, 32);
    wnd.SetPicture(11);
    wnd.m_nVariant = UINT32_MAX;
    wnd.m_nTicks = UINT32_MAX;
    wnd.OnRButtonDown();
    wnd.OnTimer();
    EXPECT_EQ(wnd.m_nVariant, 0u);
    EXPECT_EQ(wnd.m_nTicks, 0u);
}

TEST(TestWindow, LeftClicksToggleThePanelAndBalanceTheCursor) {
    RecordingHost host;
    CTestWnd wnd(host, 640, 480, 32);
    wnd.OnLButtonDown();  // no panel registered: nothing happens
    EXPECT_EQ(host.cursorCount, 0);

    FakePanel panel(host);
    wnd.SetPanel(&panel);
    wnd.OnLButtonDown();
    EXPECT_FALSE(panel.visible);
    EXPECT_EQ(host.cursorCount, -1);
    EXPECT_EQ(host.raised, 1);
    wnd.OnLButtonDown();
    EXPECT_TRUE(panel.visible);
    EXPECT_EQ(panel.raised, 1);
    EXPECT_EQ(host.cursorCount, 0);
    EXPECT_EQ(host.invalidations, 0);
}

TEST(TestWindow, KeysWithThePanelHiddenStepThroughThePicturesLikeThePanel) {
    RecordingHost host;
    CTestWnd wnd(host, 640, 480, 32);
    FakePanel panel(host);
    panel.wnd = &wnd;
    wnd.SetPanel(&panel);
    wnd.OnKeyDown(TestWndKey::kRight);  // the panel is up: its keys are its own
    EXPECT_TRUE(panel.selected.empty());
    wnd.OnLButtonDown();

    using K = TestWndKey;
    struct Step {
        TestWndKey key;
        int picture;
        std::uint32_t variant;
    };
    constexpr Step kSteps[] = {
        {K::kLeft, 12, 0},    {K::kRight, 0, 0}, {K::kSpace, 0, 1},    {K::kDown, 1, 0},
        {K::kPageDown, 2, 0}, {K::kSpace, 2, 1}, {K::kSpace, 2, 2},    {K::kUp, 1, 0},
        {K::kPageUp, 0, 0},   {K::kUp, 12, 0},   {K::kSpace, 12, 1},   {K::kEnd, 12, 1},
        {K::kHome, 0, 0},     {K::kEnd, 12, 0},  {K::kPageDown, 0, 0}, {K::kOther, 0, 0},
        {K::kPageUp, 12, 0},  {K::kDown, 0, 0},  {K::kLeft, 12, 0},
    };
    for (const Step& step : kSteps) {
        wnd.OnKeyDown(step.key);
        EXPECT_EQ(wnd.m_nPicture, step.picture) << static_cast<int>(step.key);
        EXPECT_EQ(wnd.m_nVariant, step.variant) << static_cast<int>(step.key);
        EXPECT_FALSE(panel.visible);
    }
    EXPECT_EQ(host.cursorCount, -1);

    for (TestWndKey key : {K::kEscape, K::kReturn}) {
        wnd.OnKeyDown(key);
        EXPECT_TRUE(panel.visible);
        EXPECT_EQ(host.cursorCount, 0);
        wnd.OnKeyDown(key);  // the panel's own keys from here
        EXPECT_TRUE(panel.visible);
        wnd.OnLButtonDown();
    }
}

}  // namespace
