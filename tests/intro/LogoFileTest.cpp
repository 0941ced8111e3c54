// The logo reader beyond what the corpus files show: the limits of the
// largest block, every cut of a good file, paths that cannot be read; the
// size and colours of the image the intro draws the logo into.
#include <gtest/gtest.h>

#include "IntroTestSupport.h"

TEST(LogoFile, LimitsOfTheBlocksCutsAndUnreadablePaths) {
    constexpr std::uint32_t kLargestS = LogoFile::kMaxBlockSize - sizeof(const WORD*) - 2;
    // A logo 1 unit wide and B high is 700 x 700 B pixels at W = 1024.
    const struct {
        std::vector<BYTE> file;
        LogoError error;
    } kCases[] = {
        {LogoOf({"########"}, kLargestS), LogoError::kNone},
        {LogoOf({"########"}, kLargestS + 1), LogoError::kSizeTooLarge},
        {LogoOf(std::vector<std::string>(136, ".")), LogoError::kNone},
        {LogoOf(std::vector<std::string>(137, ".")), LogoError::kImageTooLarge},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(LoadError(c.file), c.error) << &c - kCases;
    }
    // A file of many runs takes several reads.
    std::string stripes;
    for (int i = 0; i < 120; ++i) {
        stripes += "#.";
    }
    const std::string large =
        WriteTempFile("large.dta", LogoOf(std::vector<std::string>(300, stripes)));
    ASSERT_GT(std::filesystem::file_size(large), 1u << 16);
    EXPECT_EQ(LogoFile().Read(large.c_str()), LogoError::kNone);
    const auto good = LogoOf({".######.", "........", "###..###", "...#...."});
    for (std::size_t size = 0; size < good.size(); ++size) {
        EXPECT_EQ(LoadError(std::span(good).first(size)), LogoError::kTruncated) << size;
    }
    for (const char* path : {"/nonexistent.dta", "/", static_cast<const char*>(nullptr)}) {
        EXPECT_EQ(LogoFile().Read(path), LogoError::kUnreadable) << (path ? path : "null");
    }
}

TEST(LogoImage, SizeAndColourTable) {
    // Width (2W / 3 + 16) rounded up to whole words; height = width x B / A, truncated.
    constexpr int kSizes[][3] = {{640, 444, 148}, {799, 548, 182}, {1920, 1296, 432}};
    for (const auto& [screenWidth, width, height] : kSizes) {
        RecordingHost host;
        CIntro intro(host, false, screenWidth, 480);
        ASSERT_TRUE(intro.LoadLogo(LogoOf({"###"})));
        EXPECT_EQ(std::pair(intro.Image().Width(), intro.Image().Height()),
                  std::pair(width, height));
    }
    // The header, then 256 entries: the ramp's 129 as palette indices, or as
    // blue, green, red, 0; the rest 0.
    for (const bool palette : {true, false}) {
        const auto info = MakeBitmapInfo(700, 175, palette);
        const std::size_t size = palette ? 2 : 4;
        ASSERT_EQ(info.size(), 40 + 256 * size);
        for (int i = 0; i < 256; ++i) {
            const auto entry = i > 128 ? std::vector<int>(size)
                               : palette
                                   ? std::vector<int>{i, 0}
                                   : std::vector<int>{132 * i / 128, 66 * i / 128, 40 * i / 128, 0};
            EXPECT_EQ(std::vector<int>(&info[40 + size * i], &info[40 + size * (i + 1)]), entry)
                << i;
        }
    }
}
