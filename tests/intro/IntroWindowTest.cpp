#include <gtest/gtest.h>

#include "IntroTestSupport.h"
#include "support/TestSupport.h"

namespace {

// A test window whose first paint plays the intro from the logo file at path.
struct Window : Screen {
    explicit Window(const std::string& path) : Screen(1024, 768) { wnd.SetLogoPath(path); }
    void PaintAt(std::uint32_t ms, const RECT& area = {0, 0, 1024, 768}) {
        host.now = ms;
        CDC dc(surface, area);
        wnd.OnPaint(&dc);
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
};

}  // namespace

TEST(IntroWindow, WithoutAGoodLogoThePictureComesAtOnce) {
    // No file is read unless a path is given, not even one in the current directory.
    const std::string logo = WriteTempFile("zynlogo.dta", SolidLogo(1360, 340));
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(logo).parent_path());
    const std::string rejected = WriteTempFile("bad.dta", MakeLogoFile(6, 8, 1, {{{5, 3}}}));
    for (const std::string& path : {std::string(), logo + ".missing", rejected}) {
        Window window(path);
        window.PaintAt(0);
        window.PaintAt(10);
        EXPECT_TRUE(window.ShowsPicture()) << path;
        EXPECT_EQ(window.host.introEnded, 1);
        EXPECT_TRUE(window.host.messages.empty());
    }
    std::filesystem::current_path(previous);
}

TEST(IntroWindow, ThePictureFollowsTheIntroAndRightClicksThatDidNotSkipCount) {
    Window window(WriteTempFile("zynlogo.dta", SolidLogo(1360, 340)));
    window.PaintAt(0);
    window.wnd.OnRButtonDown();
    window.wnd.OnRButtonDown();
    window.wnd.OnRButtonDown();
    EXPECT_EQ(window.host.introEnded + int(window.wnd.m_nVariant), 0);
    // The step that ends the intro covers the text box only: the picture needs all.
    const int invalidations = window.host.invalidations;
    window.PaintAt(5000, {172, 477, 852, 493});
    EXPECT_FALSE(window.wnd.IsIntroRunning());
    EXPECT_EQ(window.host.invalidations, invalidations + 2);
    EXPECT_EQ(window.host.introEnded, 1);
    EXPECT_EQ(window.wnd.m_nVariant, 2u);
    window.PaintAt(5001);
    EXPECT_TRUE(window.ShowsPicture());
}
