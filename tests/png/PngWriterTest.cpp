// SPDX-License-Identifier: MIT
// The PNG writer: a file is written whole or not at all, with a new file's
// permissions; pipes are written in place.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "png/PngWriter.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadRgb(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return {};
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
    return rgb;
}

TEST(PngWriter, WritesWholeFilesOrNoneAndPipesInPlace) {
    const fs::path folder =
        fs::path(testing::TempDir()) / ("zynmon-png-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "a folder");
    std::ofstream(folder / "old.png") << "not a picture";
    const Screen screen(7, 5, 32, 8);
    std::vector<std::uint8_t> expected(7 * 5 * 3);
    for (int y = 0; y < 5; ++y) {
        screen.surface.RowToRGB8(y, expected.data() + 3 * 7 * y);
    }
    const mode_t mask = umask(0);
    umask(mask);
    std::string error;
    for (const char* name : {"new.png", "old.png"}) {
        EXPECT_TRUE(WritePng(screen.surface, folder / name, error)) << error;
        EXPECT_EQ(ReadRgb(folder / name), expected) << name;
        struct stat written {};
        stat((folder / name).c_str(), &written);
        EXPECT_EQ(written.st_mode & 0777, 0666 & ~mask) << name;
    }
    for (const fs::path& bad : {folder / "missing" / "x.png", folder / "a folder"}) {
        EXPECT_FALSE(WritePng(screen.surface, bad, error)) << bad;
        EXPECT_NE(error.find(bad.string()), std::string::npos) << error;
    }
    std::vector<std::string> left;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        left.push_back(entry.path().lexically_relative(folder));
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"a folder", "new.png", "old.png"}));

    // A pipe with a reader: written in place, not replaced by a file.
    const fs::path pipe = folder / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    EXPECT_TRUE(WritePng(screen.surface, pipe, error)) << error;
    std::uint8_t signature[8] = {};
    EXPECT_EQ(read(reader, signature, sizeof signature), 8);
    EXPECT_EQ(png_sig_cmp(signature, 0, 8), 0);
    EXPECT_TRUE(fs::is_fifo(pipe));
    close(reader);
    fs::remove_all(folder);
}

}  // namespace
