#include <gtest/gtest.h>

#include "IntroTestSupport.h"
#include "support/TestSupport.h"

namespace {

struct FakePanel : IPanel {
    bool IsWindowVisible() const override { return false; }
    void ShowWindow(bool) override { ++changes; }
    void BringWindowToTop() override {}
    void OnFullScreen() override { ++changes; }
    void SelectPicture(int) override { ++changes; }
    int changes = 0;
};

// A test window whose first paint plays the intro from the logo at path.
struct Window : Screen {
    explicit Window(const std::string& path) : Screen(1024, 768) {
        wnd.SetLogoPath(path);
        wnd.SetPanel(&panel);
    }
    void PaintAt(std::uint32_t ms, RECT area = {0, 0, 1024, 768}) {
        host.now = ms;
        CDC dc(surface, area);
        wnd.OnPaint(&dc);
    }
    void RunTo(std::uint32_t ms) {
        PaintAt(host.now);
        while (wnd.IsIntroRunning() && host.now < ms) {
            PaintAt(std::min(ms, host.now + 100));
        }
    }
    // The screen shows the current picture, as a paint without intro draws it.
    bool ShowsPicture() const {
        Screen expected(1024, 768);
        expected.Paint(wnd.m_nPicture, wnd.m_nResolution, wnd.m_crColor, wnd.m_nVariant);
        for (int i = 0; i < 1024 * 768; ++i) {
            if (expected.At(i % 1024, i / 1024) != At(i % 1024, i / 1024)) {
                return false;
            }
        }
        return true;
    }
    FakePanel panel;
};

const std::string& LogoPath() {
    static const std::string path = WriteTempFile("zynlogo.dta", SolidLogo(1360, 340));
    return path;
}

}  // namespace

TEST(IntroWindow, WithoutAGoodLogoThePictureComesAtOnce) {
    // No file is read unless a path is given, not even one in the current directory.
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(LogoPath()).parent_path());
    const std::string rejected = WriteTempFile("bad.dta", MakeLogoFile(6, 8, 1, {{{5, 3}}}));
    for (const std::string& path : {std::string(), LogoPath() + ".missing", rejected}) {
        Window window(path);
        window.PaintAt(0);
        window.PaintAt(10);
        EXPECT_FALSE(window.wnd.IsIntroRunning());
        EXPECT_TRUE(window.ShowsPicture()) << path;
        EXPECT_EQ(window.host.introEnded, 1);
        EXPECT_TRUE(window.host.messages.empty());
    }
    std::filesystem::current_path(previous);
}

TEST(IntroWindow, ThePictureFollowsInThePaintThatEndsTheIntro) {
    Window window(LogoPath());
    window.RunTo(17990);
    EXPECT_EQ(window.host.introEnded, 0);
    EXPECT_FALSE(window.ShowsPicture());
    window.PaintAt(18000);
    EXPECT_FALSE(window.wnd.IsIntroRunning());
    EXPECT_TRUE(window.ShowsPicture());
    EXPECT_EQ(window.host.introEnded, 1);
}

TEST(IntroWindow, SkippingInputNeverReachesTheWindowButRightClicksCount) {
    Window window(LogoPath());
    window.PaintAt(0);
    window.wnd.OnLButtonDown();
    window.wnd.OnLButtonDown();
    window.wnd.OnKeyDown();
    window.wnd.OnRButtonDown();
    window.wnd.OnRButtonDown();
    window.RunTo(5008);
    EXPECT_FALSE(window.wnd.IsIntroRunning());
    EXPECT_EQ(window.panel.changes, 0);  // neither the skipping click nor the dropped one
    EXPECT_EQ(window.wnd.m_nVariant, 2u);
    window.PaintAt(5100);
    EXPECT_TRUE(window.ShowsPicture());
    window.wnd.OnLButtonDown();
    EXPECT_EQ(window.panel.changes, 1);
}

TEST(IntroWindow, AnEndingStepOnPartOfTheWindowAsksForAWholeRepaint) {
    Window window(LogoPath());
    window.RunTo(8000);
    window.wnd.OnKeyDown(TestWndKey::kSpace);
    const int invalidations = window.host.invalidations;
    window.PaintAt(8001, {172, 477, 852, 493});
    EXPECT_FALSE(window.wnd.IsIntroRunning());
    EXPECT_EQ(window.host.invalidations, invalidations + 1);
    EXPECT_EQ(window.panel.changes, 0);
}
