// SPDX-License-Identifier: MIT
// zynmon-render: its command line contract, exit codes and the pixels it writes.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "support/TestSupport.h"

namespace {

// Runs the renderer; the exit status, with stdout and stderr in output.
int Render(const std::string& args, std::string& output) {
    FILE* pipe = popen((std::string(ZYN_RENDER_EXE) + " " + args + " 2>&1").c_str(), "r");
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Exit status 0, 2 (bad arguments: a reason and the usage), 3 (refused: a
// black screen is written) or 4 (no good logo for the intro: the reason). The PNG holds the pixels
// of one paint of that state, as the display shows them.
TEST(RenderTool, ArgumentsExitCodesAndPixels) {
    constexpr struct {
        const char* args;
        int status;
        const char* says;
        int bpp = 0, picture = 0, level = 1;  // bpp 0: no picture is written
        COLORREF guns = kWhite;
        std::uint32_t variant = 0;
    } kCases[] = {
        {"--picture 13", 2, "usage:"},
        {"--picture 0 --size 0x480", 2, "usage:"},
        {"--picture 0 --size 16385x10", 2, "usage:"},
        {"--picture 0 --size 640", 2, "usage:"},
        {"--picture 0 --bpp 12", 2, "usage:"},
        {"--picture 0 --guns rgx", 2, "usage:"},
        {"--picture 0 --variant 4294967296", 2, "usage:"},
        {"--picture 0 --ticks 12a", 2, "usage:"},
        {"--picture 0 --resolution 3", 2, "usage:"},
        {"--picture 0 --bogus 1", 2, "usage:"},
        {"", 2, "usage:"},
        {"--picture 6 --bpp 4 --size 64x48", 3, "isn't available in the current color depth", 4, 6},
        {"--intro-at 0 --logo /nonexistent.dta", 4, "logo file /nonexistent.dta: missing"},
        {"--intro-at 0 --logo " ZYN_SOURCE_DIR "/tests/intro/corpus/reject-run-reversed.dta", 4,
         "run ends before it starts"},
        {"--picture 1 --size 320x200 --resolution 2 --guns rb --variant 3 --repeat 2", 0, "", 32, 1,
         2, kRed | kBlue, 3},
        {"--picture 1 --bpp 1 --size 64x48 --guns g", 0, "", 1, 1, 1, kGreen},
        {"--list", 0, "7 Farbverläufe\n"},
        {"--help", 0, "--picture N"},
    };
    const std::string png =
        testing::TempDir() + "zynmon-render-" + std::to_string(getpid()) + ".png";
    for (const auto& c : kCases) {
        std::string output;
        const bool writes = !std::string(c.args).starts_with("--list") &&
                            !std::string(c.args).starts_with("--help");
        EXPECT_EQ(Render(c.args + (writes ? " --output " + png : ""), output), c.status) << c.args;
        EXPECT_NE(output.find(c.says), std::string::npos) << c.args << ": " << output;
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_EQ(png_image_begin_read_from_file(&image, png.c_str()) != 0, c.bpp != 0) << c.args;
        if (c.bpp != 0) {
            image.format = PNG_FORMAT_RGB;
            std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image)), expected(rgb.size());
            png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
            Screen screen(int(image.width), int(image.height), c.bpp);
            screen.Paint(c.picture, c.level, c.guns, c.variant);
            for (int y = 0; y < screen.surface.Height(); ++y) {
                screen.surface.RowToRGB8(y, expected.data() + 3 * y * screen.surface.Width());
            }
            EXPECT_EQ(rgb, expected) << c.args;
        }
        std::filesystem::remove(png);
    }
}

}  // namespace
