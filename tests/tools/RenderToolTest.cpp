// zynmon-render: its command line contract, exit codes and the pixels it writes.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace {

struct Result {
    int status;
    std::string output;  // stdout and stderr
};

Result RunRender(const std::string& args) {
    const std::string command = std::string(ZYN_RENDER_EXE) + " " + args + " 2>&1";
    Result result{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        result.output += buffer;
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    COLORREF At(int x, int y) const {
        const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        return RGB(p[0], p[1], p[2]);
    }
};

Image ReadPng(const std::string& path) {
    Image image;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) {
        return image;
    }
    png.format = PNG_FORMAT_RGB;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgb.resize(PNG_IMAGE_SIZE(png));
    png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr);
    return image;
}

class RenderTool : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("zynmon-render-test-" + std::to_string(getpid()));
};

TEST_F(RenderTool, RejectsBadArgumentsWithAReasonAndTheUsage) {
    const std::string out = " --output " + Path("x.png");
    const std::vector<std::string> bad = {
        "--picture 13" + out,
        "--picture -1" + out,
        "--picture 0 --size 0x480" + out,
        "--picture 0 --size 16385x10" + out,
        "--picture 0 --size 640" + out,
        "--picture 0 --bpp 12" + out,
        "--picture 0 --guns rgx" + out,
        "--picture 0 --guns ''" + out,
        "--picture 0 --variant 4294967296" + out,
        "--picture 0 --ticks 12a" + out,
        "--picture 0 --resolution 3" + out,
        "--picture 0 --bogus 1" + out,
        "--picture 0",
        out,
        "--picture",
    };
    for (const std::string& args : bad) {
        const Result result = RunRender(args);
        EXPECT_EQ(result.status, 2) << args;
        EXPECT_NE(result.output.find("zynmon-render: "), std::string::npos) << args;
        EXPECT_NE(result.output.find("usage:"), std::string::npos) << args;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("x.png")));
}

TEST_F(RenderTool, ListsThePicturesAndPrintsHelp) {
    const Result list = RunRender("--list");
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.output.find("0 Miskonvergenz1\n"), std::string::npos);
    EXPECT_NE(list.output.find("7 Farbverläufe\n"), std::string::npos);
    EXPECT_NE(list.output.find("12 Testbild\n"), std::string::npos);
    const Result help = RunRender("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("--picture N"), std::string::npos);
}

TEST_F(RenderTool, WritesTheSamePixelsAsOnePaintOfThatState) {
    const Result result = RunRender(
        "--picture 1 --size 320x200 --resolution 2 --guns rb --variant 3"
        " --repeat 2 --output " +
        Path("p.png"));
    ASSERT_EQ(result.status, 0) << result.output;
    const Image image = ReadPng(Path("p.png"));
    ASSERT_EQ(image.width, 320);
    ASSERT_EQ(image.height, 200);

    Screen screen(320, 200);
    screen.Paint(1, 2, kRed | kBlue, 3);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 320; ++x) {
            ASSERT_EQ(image.At(x, y), screen.At(x, y)) << x << "," << y;
        }
    }
}

TEST_F(RenderTool, RefusedPictureExitsThreeWithABlackScreen) {
    const Result result = RunRender("--picture 6 --bpp 4 --size 64x48 --output " + Path("r.png"));
    EXPECT_EQ(result.status, 3);
    EXPECT_NE(result.output.find("isn't available in the current color depth"), std::string::npos);
    const Image image = ReadPng(Path("r.png"));
    ASSERT_EQ(image.width, 64);
    for (std::uint8_t byte : image.rgb) {
        ASSERT_EQ(byte, 0);
    }
}

TEST_F(RenderTool, PaletteDepthsShowWhatThePaletteDeviceShows) {
    ASSERT_EQ(
        RunRender("--picture 1 --bpp 8 --size 64x48 --guns g --output " + Path("g.png")).status, 0);
    EXPECT_EQ(ReadPng(Path("g.png")).At(0, 0), kGreen);
    // One bit per pixel: green is nearer black than white; white stays white.
    ASSERT_EQ(
        RunRender("--picture 1 --bpp 1 --size 64x48 --guns g --output " + Path("m.png")).status, 0);
    EXPECT_EQ(ReadPng(Path("m.png")).At(0, 0), kBlack);
    ASSERT_EQ(RunRender("--picture 1 --bpp 1 --size 64x48 --output " + Path("w.png")).status, 0);
    EXPECT_EQ(ReadPng(Path("w.png")).At(0, 0), kWhite);
}

}  // namespace
