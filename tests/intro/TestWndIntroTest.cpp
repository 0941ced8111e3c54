#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

#include "IntroTestSupport.h"
#include "support/TestSupport.h"
#include "testwindow/TestWnd.h"

namespace {

class FakePanel : public IPanel {
public:
    bool IsWindowVisible() const override { return visible; }
    void ShowWindow(bool show) override {
        visible = show;
        ++changes;
    }
    void BringWindowToTop() override {}
    void OnFullScreen() override {
        visible = false;
        ++changes;
    }
    void SelectPicture(int /*picture*/) override { ++changes; }
    bool visible = true;
    int changes = 0;
};

// A test window whose first paint plays the intro from a logo file.
struct Window {
    explicit Window(const std::string& logoPath, int bitsPerPixel = 32)
        : surface(1024, 768, bitsPerPixel), wnd(host, 1024, 768, bitsPerPixel) {
        wnd.SetLogoPath(logoPath);
        wnd.SetPanel(&panel);
    }
    void PaintAt(std::uint32_t ms) {
        host.now = ms;
        CDC dc(surface);
        wnd.OnPaint(&dc);
    }
    // Paints every 100 ms up to ms while the intro runs.
    void RunTo(std::uint32_t ms) {
        while (wnd.IsIntroRunning() && host.now < ms) {
            PaintAt(std::min(ms, host.now + 100));
        }
    }
    COLORREF At(int x, int y) const { return surface.PixelColor(x, y); }
    // The screen shows the current picture, as a paint without intro draws it.
    bool ShowsPicture() const {
        Screen expected(1024, 768, surface.BitsPerPixel());
        expected.Paint(wnd.m_nPicture, wnd.m_nResolution, wnd.m_crColor, wnd.m_nVariant);
        for (int y = 0; y < 768; ++y) {
            for (int x = 0; x < 1024; ++x) {
                if (expected.At(x, y) != At(x, y)) {
                    return false;
                }
            }
        }
        return true;
    }

    RecordingHost host;
    Surface surface;
    CTestWnd wnd;
    FakePanel panel;
};

std::string LogoPath() {
    static const std::string path = WriteTempFile("zynlogo.dta", SolidLogo(1360, 340));
    return path;
}

}  // namespace

TEST(TestWndIntro, WithoutALogoTheFirstPictureComesAtOnce) {
    for (const std::string& path : {LogoPath() + ".missing", std::string()}) {
        Window window(path);
        window.PaintAt(0);
        EXPECT_FALSE(window.wnd.IsIntroRunning());
        EXPECT_TRUE(window.ShowsPicture());
        EXPECT_EQ(window.host.introEnded, 1);
        EXPECT_EQ(window.host.cursorCount, 0);
        window.PaintAt(10);
        EXPECT_EQ(window.host.introEnded, 1);  // never again
    }
}

TEST(TestWndIntro, ARejectedLogoIsSkippedSilently) {
    const std::string path = WriteTempFile("zynlogo.dta", MakeLogoFile(6, 8, 1, {{{5, 3}}}));
    Window window(path);
    window.PaintAt(0);
    EXPECT_FALSE(window.wnd.IsIntroRunning());
    EXPECT_TRUE(window.ShowsPicture());
    EXPECT_TRUE(window.host.messages.empty());
}

TEST(TestWndIntro, TheFirstPaintsPlayTheIntroThenThePictureFollows) {
    Window window(LogoPath());
    window.PaintAt(0);
    EXPECT_TRUE(window.wnd.IsIntroRunning());
    EXPECT_EQ(window.At(0, 0), kBlack);  // no picture yet
    EXPECT_FALSE(window.ShowsPicture());
    EXPECT_EQ(window.At(512, 384), kLogoColor);
    EXPECT_EQ(window.host.cursorCount, -1);
    EXPECT_EQ(window.host.introEnded, 0);

    window.RunTo(17990);
    EXPECT_TRUE(window.wnd.IsIntroRunning());
    window.PaintAt(18000);
    EXPECT_FALSE(window.wnd.IsIntroRunning());
    EXPECT_TRUE(window.ShowsPicture());  // drawn in the paint that ended the intro
    EXPECT_EQ(window.host.introEnded, 1);
    EXPECT_EQ(window.host.cursorCount, 0);
}

TEST(TestWndIntro, SkippingInputNeverReachesTheWindow) {
    Window window(LogoPath());
    window.PaintAt(0);
    window.wnd.OnLButtonDown();
    window.wnd.OnLButtonDown();
    window.wnd.OnKeyDown();
    window.RunTo(4000);
    EXPECT_TRUE(window.wnd.IsIntroRunning());  // the zoom ignores input
    window.RunTo(5008);
    EXPECT_FALSE(window.wnd.IsIntroRunning());
    // Neither the skipping click nor the dropped one toggled the panel.
    EXPECT_EQ(window.panel.changes, 0);
    EXPECT_EQ(window.wnd.m_nVariant, 0u);
    EXPECT_EQ(window.host.cursorCount, 0);
    EXPECT_TRUE(window.ShowsPicture());
    // Later clicks reach the window as usual.
    window.wnd.OnLButtonDown();
    EXPECT_EQ(window.panel.changes, 1);
}

TEST(TestWndIntro, RightClicksThatDidNotSkipStepTheVariantAfterwards) {
    Window window(LogoPath());
    window.PaintAt(0);
    window.wnd.OnRButtonDown();
    window.wnd.OnRButtonDown();
    window.wnd.OnRButtonDown();
    EXPECT_EQ(window.wnd.m_nVariant, 0u);
    window.RunTo(5008);
    EXPECT_FALSE(window.wnd.IsIntroRunning());
    EXPECT_EQ(window.wnd.m_nVariant, 2u);
}

TEST(TestWndIntro, AKeyDuringAHoldEndsTheIntroAtTheNextPaint) {
    Window window(LogoPath());
    window.PaintAt(0);
    window.RunTo(8000);
    ASSERT_TRUE(window.wnd.IsIntroRunning());
    const int invalidations = window.host.invalidations;
    // Even with the panel hidden the skipping key does nothing else.
    window.panel.visible = false;
    window.wnd.OnKeyDown(TestWndKey::kSpace);
    EXPECT_EQ(window.host.invalidations, invalidations + 1);
    window.PaintAt(8001);
    EXPECT_FALSE(window.wnd.IsIntroRunning());
    EXPECT_TRUE(window.ShowsPicture());
    EXPECT_EQ(window.wnd.m_nVariant, 0u);
    EXPECT_EQ(window.panel.changes, 0);
    // Keys do nothing once the intro is over.
    window.wnd.OnKeyDown();
    EXPECT_EQ(window.host.invalidations, invalidations + 1);
}

TEST(TestWndIntro, AnEndingStepOnPartOfTheWindowAsksForAWholeRepaint) {
    Window window(LogoPath());
    window.PaintAt(0);
    window.RunTo(8000);
    window.wnd.OnKeyDown();
    const int invalidations = window.host.invalidations;
    window.host.now = 8001;
    {
        CDC dc(window.surface, RECT{172, 477, 852, 493});
        window.wnd.OnPaint(&dc);
    }
    EXPECT_FALSE(window.wnd.IsIntroRunning());
    EXPECT_EQ(window.host.invalidations, invalidations + 1);
    window.PaintAt(8002);
    EXPECT_TRUE(window.ShowsPicture());
}

TEST(TestWndIntro, PaletteModeIntroLeavesNoObjectSelected) {
    Window window(LogoPath(), 8);
    window.PaintAt(0);
    window.RunTo(12000);
    window.wnd.OnLButtonDown();
    window.PaintAt(12001);
    EXPECT_FALSE(window.wnd.IsIntroRunning());
    EXPECT_TRUE(window.ShowsPicture());
}

TEST(TestWndIntro, WithoutALogoPathNoFileIsRead) {
    // Even with the logo file in the current directory.
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(LogoPath()).parent_path());
    RecordingHost host;
    Surface surface(1024, 768, 32);
    {
        CTestWnd wnd(host, 1024, 768, 32);
        CDC dc(surface);
        wnd.OnPaint(&dc);
        EXPECT_FALSE(wnd.IsIntroRunning());
    }
    std::filesystem::current_path(previous);
    EXPECT_NE(surface.PixelColor(512, 384), kLogoColor);
}
