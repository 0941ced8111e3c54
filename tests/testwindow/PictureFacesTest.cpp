// SPDX-License-Identifier: MIT
// The faces the pictures and the intro draw with, and what a missing one keeps
// from being drawn exactly.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "gdi/GdiObjects.h"
#include "support/TestSupport.h"
#include "testwindow/PictureFaces.h"

namespace {

std::string DescribeAll() {
    std::string text;
    for (const MissingFaceUse& use : FindMissingFaces()) {
        text += DescribeMissingFace(use) + "\n";
    }
    return text;
}

}  // namespace

// With the setup's fonts every face is there; a face the project chose no
// file for is never reported missing.
TEST(PictureFaces, AllAreInstalled) {
    EXPECT_EQ(DescribeAll(), "");
    EXPECT_EQ(MissingFace("URW Gothic", FW_BOLD, false), std::nullopt);
}

// Without any font (a fontconfig configuration with no font folder) each face
// is named once with its file, its package and what it keeps from being drawn
// exactly, and no other font stands in for it; with nothing to advance the
// position every row of picture 5 still ends, leaving its white ground. It runs
// in a process of its own, which sees the configuration from its start.
TEST(PictureFacesDeathTest, AMissingFaceIsNamedWithWhatItKeepsFromBeingExact) {
    const std::string config = testing::TempDir() + "zyn-no-fonts.conf";
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>" << testing::TempDir()
                          << "zyn-fc-cache</cachedir></fontconfig>\n";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("FONTCONFIG_FILE", config.c_str(), 1);
            CFont font;
            const bool created =
                font.CreateFont(15, 0, 0, 0, FW_NORMAL, 1, 0, 0, 0, 0, 0, 0, 0, kReadabilityFace);
            const bool white = IsFilled(Screen(800, 600, 32, 5, 2), {0, 0, 800, 600}, kWhite);
            std::fputs(
                (DescribeAll() + (created ? "created" : "not created") + (white ? ", white" : ""))
                    .c_str(),
                stderr);
            std::exit(0);
        },
        testing::ExitedWithCode(0),
        testing::HasSubstr(
            "font face Liberation Sans (liberation2/LiberationSans-Regular.ttf, package "
            "fonts-liberation2) is not installed; not drawn exactly: the intro\n"
            "font face DejaVu Sans (dejavu/DejaVuSans.ttf, package fonts-dejavu-core) is not "
            "installed; not drawn exactly: picture 5 Lesbarkeit\n"
            "font face DejaVu Sans Oblique (dejavu/DejaVuSans-Oblique.ttf, package "
            "fonts-dejavu-extra) is not installed; not drawn exactly: picture 5 Lesbarkeit\n"
            "font face DejaVu Sans Bold (dejavu/DejaVuSans-Bold.ttf, package fonts-dejavu-core) "
            "is not installed; not drawn exactly: picture 12 Testbild\n"
            "not created, white"));
    std::filesystem::remove(config);
}
