#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "IntroTestSupport.h"

namespace {

using LogoError = CIntro::LogoError;

const std::vector<RunRow> kSmallRows = {{{1, 6}}, {}, {{0, 2}, {5, 7}}, {{3, 3}}};

LogoError LoadError(std::span<const BYTE> file, int width = 1024, int height = 768) {
    RecordingHost host;
    CIntro intro(host, false, width, height);
    const bool loaded = intro.LoadLogo(file);
    EXPECT_EQ(loaded, intro.GetLoadError() == LogoError::kNone);
    return intro.GetLoadError();
}

BITMAPINFOHEADER Header(const CIntro& intro) {
    BITMAPINFOHEADER header;
    std::memcpy(&header, intro.BitmapInfo().data(), sizeof header);
    return header;
}

}  // namespace

TEST(LogoFile, RunStoreKeepsRunsWithEndMarksAndNullRows) {
    RecordingHost host;
    CIntro intro(host, false, 1024, 768);
    ASSERT_TRUE(intro.LoadLogo(MakeLogoFile(RunStoreSize(kSmallRows), 8, 4, kSmallRows)));

    const std::vector<WORD> expected = {1, 6, 0xFFFF, 0, 2, 5, 7, 0xFFFF, 3, 3, 0xFFFF};
    const auto data = intro.RunData();
    EXPECT_EQ(std::vector<WORD>(data.begin(), data.end()), expected);
    const auto rows = intro.Rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], data.data());
    EXPECT_EQ(rows[1], nullptr);  // a row without runs takes no room
    EXPECT_EQ(rows[2], data.data() + 3);
    EXPECT_EQ(rows[3], data.data() + 8);
    EXPECT_EQ(intro.LogoRect(), (RECT{0, 0, 8, 4}));
    EXPECT_DOUBLE_EQ(intro.LogoAspect(), 0.5);
}

TEST(LogoFile, ImageSizeFollowsScreenWidthAndLogoAspect) {
    const std::vector<RunRow> rows(100, RunRow{{0, 399}});
    const auto file = MakeLogoFile(RunStoreSize(rows), 400, 100, rows);
    struct Case {
        int screenWidth;
        int imageWidth;
        int imageHeight;
    };
    // (2W / 3 + 16) rounded up to whole words; height = width x B / A, truncated.
    for (const Case& c : {Case{1024, 700, 175}, Case{640, 444, 111}, Case{1920, 1296, 324},
                          Case{3840, 2576, 644}, Case{1, 16, 4}, Case{799, 548, 137}}) {
        RecordingHost host;
        CIntro intro(host, false, c.screenWidth, 480);
        ASSERT_TRUE(intro.LoadLogo(file)) << c.screenWidth;
        EXPECT_EQ(intro.ImageWidth(), c.imageWidth) << c.screenWidth;
        EXPECT_EQ(intro.ImageHeight(), c.imageHeight) << c.screenWidth;
        EXPECT_EQ(intro.ImageSize(), static_cast<DWORD>(c.imageWidth * c.imageHeight));
        EXPECT_EQ(intro.Pixels().size(), intro.ImageSize());
        EXPECT_EQ(intro.ColumnEdgeCount(), static_cast<std::size_t>(c.imageWidth));
        EXPECT_EQ(intro.CoverageCount(), static_cast<std::size_t>(c.imageWidth));
    }
}

TEST(LogoFile, BitmapInfoBlockAndHeader) {
    const auto file = SolidLogo(400, 100);
    for (const bool paletteMode : {true, false}) {
        RecordingHost host;
        CIntro intro(host, paletteMode, 1024, 768);
        ASSERT_TRUE(intro.LoadLogo(file));
        EXPECT_EQ(intro.BitmapInfo().size(), paletteMode ? 552u : 1064u);
        const BITMAPINFOHEADER header = Header(intro);
        EXPECT_EQ(header.biSize, 40u);
        EXPECT_EQ(header.biWidth, 700);
        EXPECT_EQ(header.biHeight, 175);  // positive: bottom-up rows
        EXPECT_EQ(header.biPlanes, 1);
        EXPECT_EQ(header.biBitCount, 8);
        EXPECT_EQ(header.biCompression, BI_RGB);
        EXPECT_EQ(header.biSizeImage, 700u * 175u);
        EXPECT_EQ(header.biXPelsPerMeter, 11811);
        EXPECT_EQ(header.biYPelsPerMeter, 11811);
        EXPECT_EQ(header.biClrUsed, 129u);
        EXPECT_EQ(header.biClrImportant, 129u);
    }
}

TEST(LogoFile, ReadsFromAFileAndRejectsMissingOnes) {
    const auto bytes = MakeLogoFile(RunStoreSize(kSmallRows), 8, 4, kSmallRows);
    const std::string path = WriteTempFile("zynlogo.dta", bytes);
    RecordingHost host;
    CIntro intro(host, false, 1024, 768);
    ASSERT_TRUE(intro.LoadLogo(path.c_str()));
    EXPECT_EQ(intro.RunData().size(), 11u);

    EXPECT_FALSE(intro.LoadLogo((path + ".missing").c_str()));
    EXPECT_EQ(intro.GetLoadError(), LogoError::kUnreadable);
    // A directory opens but cannot be read as a file.
    const std::string dir = std::filesystem::path(path).parent_path().string();
    EXPECT_FALSE(intro.LoadLogo(dir.c_str()));
    EXPECT_EQ(intro.GetLoadError(), LogoError::kUnreadable);
    EXPECT_FALSE(intro.LoadLogo(static_cast<const char*>(nullptr)));
    std::filesystem::remove_all(dir);
}

TEST(LogoFile, AcceptsSlackAndTrailingBytes) {
    // S + 2 must hold the runs and end marks: 22 bytes here, so S = 20 is the least.
    const std::uint32_t need = RunStoreSize(kSmallRows);
    EXPECT_EQ(LoadError(MakeLogoFile(need - 2, 8, 4, kSmallRows)), LogoError::kNone);
    EXPECT_EQ(LoadError(MakeLogoFile(need + 1000, 8, 4, kSmallRows)), LogoError::kNone);
    auto trailing = MakeLogoFile(need, 8, 4, kSmallRows);
    trailing.insert(trailing.end(), {1, 2, 3});
    EXPECT_EQ(LoadError(trailing), LogoError::kNone);
    // Rows without any run at all are a valid, if invisible, logo.
    EXPECT_EQ(LoadError(MakeLogoFile(0, 5, 3, {{}, {}, {}})), LogoError::kNone);
}

TEST(LogoFile, RejectsFilesThatEndEarly) {
    const auto file = MakeLogoFile(RunStoreSize(kSmallRows), 8, 4, kSmallRows);
    // Every cut inside the header or the row records is caught.
    for (std::size_t size = 0; size < file.size(); ++size) {
        EXPECT_EQ(LoadError(std::span(file).first(size)), LogoError::kTruncated) << size;
    }
}

TEST(LogoFile, RejectsEmptyLogos) {
    EXPECT_EQ(LoadError(MakeLogoFile(6, 0, 1, {{{0, 0}}})), LogoError::kEmptyLogo);
    EXPECT_EQ(LoadError(MakeLogoFile(0, 8, 0, {})), LogoError::kEmptyLogo);
}

TEST(LogoFile, RejectsRunsThatDoNotFitTheRunStore) {
    const std::uint32_t need = RunStoreSize(kSmallRows);
    EXPECT_EQ(LoadError(MakeLogoFile(need - 3, 8, 4, kSmallRows)), LogoError::kRunStoreOverflow);
    EXPECT_EQ(LoadError(MakeLogoFile(0, 8, 4, kSmallRows)), LogoError::kRunStoreOverflow);
    // 255 runs in one row need 1022 bytes.
    RunRow wide;
    for (int i = 0; i < 255; ++i) {
        wide.emplace_back(2 * i, 2 * i);
    }
    EXPECT_EQ(LoadError(MakeLogoFile(1020, 510, 1, {wide})), LogoError::kNone);
    EXPECT_EQ(LoadError(MakeLogoFile(1019, 510, 1, {wide})), LogoError::kRunStoreOverflow);
}

TEST(LogoFile, RejectsARunStoreBeyondTheCap) {
    // The block holds the row table and S + 2 bytes; nothing of S is allocated
    // up front, so even the largest accepted size loads at once.
    const std::uint64_t table = sizeof(const WORD*);
    const auto largest = static_cast<std::uint32_t>(CIntro::kMaxBlockSize - table - 2);
    EXPECT_EQ(LoadError(MakeLogoFile(largest, 8, 1, {{{0, 7}}})), LogoError::kNone);
    EXPECT_EQ(LoadError(MakeLogoFile(largest + 1, 8, 1, {{{0, 7}}})), LogoError::kSizeTooLarge);
    EXPECT_EQ(LoadError(MakeLogoFile(0xFFFFFFFF, 8, 1, {{{0, 7}}})), LogoError::kSizeTooLarge);
    EXPECT_EQ(LoadError(MakeLogoFile(0xFFFFFFFE, 8, 1, {{{0, 7}}})), LogoError::kSizeTooLarge);
}

TEST(LogoFile, RejectsRunsOutsideTheLogo) {
    EXPECT_EQ(LoadError(MakeLogoFile(6, 8, 1, {{{2, 8}}})), LogoError::kRunOutOfRange);
    EXPECT_EQ(LoadError(MakeLogoFile(6, 8, 1, {{{8, 9}}})), LogoError::kRunOutOfRange);
    EXPECT_EQ(LoadError(MakeLogoFile(6, 8, 1, {{{-1, 3}}})), LogoError::kRunOutOfRange);
    EXPECT_EQ(LoadError(MakeLogoFile(6, 8, 1, {{{-3, -2}}})), LogoError::kRunOutOfRange);
    // Coordinates are signed: 40000 - 65536 is not below A = 40000.
    EXPECT_EQ(LoadError(MakeLogoFile(6, 40000, 1, {{{0, 40000 - 65536}}})),
              LogoError::kRunOutOfRange);
    EXPECT_EQ(LoadError(MakeLogoFile(6, 8, 1, {{{0, 7}}})), LogoError::kNone);
    EXPECT_EQ(LoadError(MakeLogoFile(6, 8, 1, {{{7, 7}}})), LogoError::kNone);
}

TEST(LogoFile, RejectsReversedUnorderedAndOverlappingRuns) {
    EXPECT_EQ(LoadError(MakeLogoFile(6, 8, 1, {{{5, 3}}})), LogoError::kRunReversed);
    EXPECT_EQ(LoadError(MakeLogoFile(10, 8, 1, {{{4, 5}, {0, 1}}})), LogoError::kRunsOutOfOrder);
    EXPECT_EQ(LoadError(MakeLogoFile(10, 8, 1, {{{0, 3}, {3, 5}}})), LogoError::kRunsOutOfOrder);
    EXPECT_EQ(LoadError(MakeLogoFile(10, 8, 1, {{{2, 2}, {2, 2}}})), LogoError::kRunsOutOfOrder);
    // Touching runs do not overlap.
    EXPECT_EQ(LoadError(MakeLogoFile(10, 8, 1, {{{0, 3}, {4, 5}}})), LogoError::kNone);
    // Each row starts afresh.
    EXPECT_EQ(LoadError(MakeLogoFile(12, 8, 2, {{{4, 5}}, {{0, 1}}})), LogoError::kNone);
}

TEST(LogoFile, RejectsAnImageBeyondTheCap) {
    // 1 unit wide, 2000 rows: 700 x 1400000 pixels at W = 1024.
    const std::vector<RunRow> tall(2000);
    EXPECT_EQ(LoadError(MakeLogoFile(0, 1, 2000, tall)), LogoError::kImageTooLarge);
    // The same logo fits a tiny screen: 16 x 32000 pixels.
    EXPECT_EQ(LoadError(MakeLogoFile(0, 1, 2000, tall), 3, 2), LogoError::kNone);
}

TEST(LogoFile, AFlatLogoGetsAnEmptyImageAndStillPlays) {
    // 30000 x 1 units: the image is 700 x 0 pixels; the intro draws nothing of
    // the logo but runs its phases.
    RecordingHost host;
    Surface surface(1024, 768, 32);
    CIntro intro(host, false, 1024, 768);
    ASSERT_TRUE(intro.LoadLogo(MakeLogoFile(6, 30000, 1, {{{0, 29999}}})));
    EXPECT_EQ(intro.ImageHeight(), 0);
    EXPECT_TRUE(intro.Pixels().empty());
    CDC dc(surface);
    EXPECT_TRUE(intro.Play(&dc));
    host.now = 5000;
    EXPECT_TRUE(intro.Play(&dc));
    EXPECT_EQ(intro.GetPhase(), CIntro::Phase::kHoldAfterZoom);
    EXPECT_EQ(surface.PixelColor(512, 384), 0u);
}

TEST(LogoFile, AFailedLoadLeavesNothingToPlay) {
    RecordingHost host;
    Surface surface(64, 48, 32);
    CIntro intro(host, false, 64, 48);
    ASSERT_TRUE(intro.LoadLogo(SolidLogo(40, 10)));
    EXPECT_FALSE(intro.LoadLogo(MakeLogoFile(6, 8, 1, {{{5, 3}}})));
    EXPECT_TRUE(intro.Rows().empty());
    EXPECT_TRUE(intro.Pixels().empty());
    CDC dc(surface);
    EXPECT_FALSE(intro.Play(&dc));
    EXPECT_EQ(host.cursorCount, 0);
}

TEST(LogoFile, ErrorTextsAreDistinct) {
    std::vector<std::string> texts;
    for (int e = 0; e <= static_cast<int>(LogoError::kImageTooLarge); ++e) {
        texts.emplace_back(LogoErrorText(static_cast<LogoError>(e)));
    }
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(std::unique(texts.begin(), texts.end()), texts.end());
}
