// SPDX-License-Identifier: MIT
// zynmon-render: its command line contract, exit codes and the pixels it writes.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>

#include "support/TestSupport.h"

namespace {

// A fontconfig configuration with no font folder: no face is installed.
constexpr const char* kNoFonts =
    "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
    "<fontconfig><cachedir>@fc-cache</cachedir></fontconfig>\n";

// Exit status 0, 1 (a write failed: the system's reason), 2 (bad arguments:
// a reason and the usage), 3 (refused: a black screen is written), 4 (no good
// logo for the intro: the reason) or 5 (a face the picture needs is not
// installed: named). The PNG holds the pixels of one paint of that state, as
// the display shows them; every other outcome leaves an old file untouched.
// In a command, "@" is the test's scratch folder; the PNG is appended unless
// the command names an output.
TEST(RenderTool, ArgumentsExitCodesAndPixels) {
    constexpr struct {
        const char* args;
        int status;
        const char* says;
        int bpp = 0, picture = 0, level = 1;  // bpp 0: no picture is written
        COLORREF guns = kWhite;
        std::uint32_t variant = 0;
        const char* shell = "";  // put before the command
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
        {"--picture 12 --refresh 4294967295", 2, "bad value for --refresh: 4294967295"},
        {"--picture 12 --refresh=1001", 2, "bad value for --refresh: 1001"},
        {"--picture 0 --repeat 100001", 2, "bad value for --repeat"},
        {"--picture 0 --bogus 1", 2, "unknown argument --bogus"},
        {"--help --bogus", 2, "unknown argument --bogus\nusage:"},
        {"--help=1", 2, "--help takes no value"},
        {"--picture 1 --output", 2, "--output needs a value"},
        {"", 2, "usage:"},
        {"--picture 6 --bpp 4 --size 64x48", 3, "isn't available in the current color depth", 4, 6},
        {"--intro-at 0 --logo /nonexistent.dta", 4, "logo file /nonexistent.dta: missing"},
        {"--intro-at 0 --logo " ZYN_SOURCE_DIR "/tests/intro/corpus/reject-run-reversed.dta", 4,
         "run ends before it starts"},
        {"--intro-at 0 --logo @fifo", 4, "logo file @fifo: not a regular file"},
        {"--intro-at 0 --logo /", 4, "logo file /: not a regular file"},
        {"--picture 5 --size 64x48", 5,
         "font face DejaVu Sans (dejavu/DejaVuSans.ttf, package fonts-dejavu-core) is not "
         "installed",
         0, 0, 1, kWhite, 0, "FONTCONFIG_FILE=@fonts.conf"},
        {"--picture 12 --size 64x48", 5, "font face DejaVu Sans Bold (", 0, 0, 1, kWhite, 0,
         "FONTCONFIG_FILE=@fonts.conf"},
        {"--intro-at 0 --logo /nonexistent.dta", 5, "font face Liberation Sans (", 0, 0, 1, kWhite,
         0, "FONTCONFIG_FILE=@fonts.conf"},
        {"--picture 8 --size 64x48", 0, "", 32, 8, 1, kWhite, 0, "FONTCONFIG_FILE=@fonts.conf"},
        {"--picture 1 --size 32x20 --output /dev/full", 1,
         "cannot write /dev/full: No space left on device"},
        {"--picture 6 --size 640x480", 1, "File too large", 0, 0, 1, kWhite, 0,
         "trap '' XFSZ; ulimit -f 1;"},
        {"--picture 1 --size 320x200 --resolution 2 --guns rb --variant 3 --repeat 2", 0, "", 32, 1,
         2, kRed | kBlue, 3},
        {"--picture=1 --bpp=1 --size=64x48 --guns=g", 0, "", 1, 1, 1, kGreen},
        {"--picture 2 --size 64x48 --output out.png", 0, "", 32, 2, 1, kWhite, 0, "cd @ &&"},
        {"--picture 12 --size 640x480 --refresh 1000", 0, "", 32, 12},
        {"--list", 0, "7 Farbverläufe\n"},
        {"--help", 0, "--picture N"},
        {"--help >/dev/full", 1, "cannot write to standard output: No space left on device"},
        {"--list >/dev/full", 1, "cannot write to standard output"},
    };
    const std::string dir = testing::TempDir() + "zynmon-render-" + std::to_string(getpid()) + "/";
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "fonts.conf") << std::regex_replace(kNoFonts, std::regex("@"), dir);
    mkfifo((dir + "fifo").c_str(), 0600);
    const std::string png = dir + "out.png";
    const std::string old = "an old file";
    const std::vector<BYTE> oldBytes(old.begin(), old.end());
    const mode_t mask = umask(0);
    umask(mask);
    const auto scratch = [&](std::string text) {
        return std::regex_replace(text, std::regex("@"), dir);
    };
    for (const auto& c : kCases) {
        std::string args = scratch(c.args);
        if (args.find("--output") == std::string::npos && !args.starts_with("--list") &&
            !args.starts_with("--help")) {
            args += " --output " + png;
        }
        std::ofstream(png) << old;
        std::string output;
        EXPECT_EQ(RunCommand(scratch(c.shell) + " " + ZYN_RENDER_EXE + " " + args, output),
                  c.status)
            << args;
        EXPECT_NE(output.find(scratch(c.says)), std::string::npos) << args << ": " << output;
        if (c.bpp == 0) {
            EXPECT_EQ(ReadFile(png), oldBytes) << args;
            continue;
        }
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_NE(png_image_begin_read_from_file(&image, png.c_str()), 0) << args;
        image.format = PNG_FORMAT_RGB;
        std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image)), expected(rgb.size());
        png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
        Screen screen(int(image.width), int(image.height), c.bpp);
        screen.wnd.SetRefreshRate(c.picture == 12 ? 1000 : 0);
        screen.Paint(c.picture, c.level, c.guns, c.variant);
        for (int y = 0; y < screen.surface.Height(); ++y) {
            screen.surface.RowToRGB8(y, expected.data() + 3 * y * screen.surface.Width());
        }
        EXPECT_EQ(rgb, expected) << args;
        // A file made anew, with a new file's permissions.
        struct stat written {};
        stat(png.c_str(), &written);
        EXPECT_EQ(written.st_mode & 0777, 0666 & ~mask) << args;
    }
    // No temporary file is left behind.
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
