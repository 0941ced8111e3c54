#include <gtest/gtest.h>

#include "IntroTestSupport.h"
#include "intro/Intro.h"
#include "testwindow/RecordingHost.h"

namespace {

const auto kSmall = LogoOf({".######.", "........", "###..###", "...#...."});  // S + 2 >= 22
constexpr std::uint32_t kLargestS = LogoFile::kMaxBlockSize - sizeof(const WORD*) - 2;

}  // namespace

TEST(LogoFile, EachRuleAcceptsOrRejects) {
    auto slack = kSmall;
    slack[0] = 100;  // S may be larger than the runs need, and bytes may follow the rows
    slack.insert(slack.end(), {1, 2, 3});
    std::string stripes;
    while (stripes.size() < 510) {
        stripes += "#.";
    }
    auto least = kSmall, tight = kSmall, wide = LogoOf({stripes});
    least[0] = 20;
    tight[0] = 19;
    wide[0] -= 2;  // 255 runs
    const std::vector<std::pair<int, int>> manyRuns(255, {0, 0});
    const struct {
        std::vector<BYTE> file;
        LogoError error;
        int screenWidth = 1024;
    } kCases[] = {
        {least, LogoError::kNone},
        {slack, LogoError::kNone},
        {wide, LogoError::kNone},
        {tight, LogoError::kRunStoreOverflow},
        {MakeLogoFile(6, 0, 1, {{{0, 0}}}), LogoError::kEmptyLogo},
        {MakeLogoFile(0, 8, 0, {}), LogoError::kEmptyLogo},
        {MakeLogoFile(1019, 600, 1, {manyRuns}), LogoError::kRunStoreOverflow},
        {MakeLogoFile(kLargestS, 8, 1, {{{0, 7}}}), LogoError::kNone},
        {MakeLogoFile(kLargestS + 1, 8, 1, {{{0, 7}}}), LogoError::kSizeTooLarge},
        {MakeLogoFile(0xFFFFFFFF, 8, 1, {{{0, 7}}}), LogoError::kSizeTooLarge},
        {MakeLogoFile(6, 8, 1, {{{7, 7}}}), LogoError::kNone},
        {MakeLogoFile(6, 8, 1, {{{2, 8}}}), LogoError::kRunOutOfRange},
        {MakeLogoFile(6, 8, 1, {{{-1, 3}}}), LogoError::kRunOutOfRange},
        {MakeLogoFile(6, 40000, 1, {{{0, 40000 - 65536}}}), LogoError::kRunOutOfRange},
        {MakeLogoFile(6, 8, 1, {{{5, 3}}}), LogoError::kRunReversed},
        {MakeLogoFile(10, 8, 1, {{{4, 5}, {0, 1}}}), LogoError::kRunsOutOfOrder},
        {MakeLogoFile(10, 8, 1, {{{0, 3}, {3, 5}}}), LogoError::kRunsOutOfOrder},
        {MakeLogoFile(12, 8, 2, {{{4, 5}}, {{0, 1}}}), LogoError::kNone},
        // 1 x 2000 units: 700 x 1400000 pixels at W = 1024, 16 x 32000 at W = 3.
        {LogoOf(std::vector<std::string>(2000, ".")), LogoError::kImageTooLarge},
        {LogoOf(std::vector<std::string>(2000, ".")), LogoError::kNone, 3},
    };
    for (std::size_t i = 0; i < std::size(kCases) + kSmall.size(); ++i) {
        // Then every cut of the first file inside its header or row records.
        const bool cut = i >= std::size(kCases);
        const auto& c = kCases[cut ? 0 : i];
        RecordingHost host;
        CIntro intro(host, false, c.screenWidth, 480);
        const bool loaded =
            intro.LoadLogo(std::span(c.file).first(cut ? i - std::size(kCases) : c.file.size()));
        EXPECT_EQ(intro.GetLoadError(), cut ? LogoError::kTruncated : c.error) << "case " << i;
        EXPECT_EQ(loaded, intro.GetLoadError() == LogoError::kNone);
    }
}

TEST(LogoFile, RunStoreKeepsRunsWithEndMarksAndNullRows) {
    const std::string path = WriteTempFile("zynlogo.dta", kSmall);
    LogoFile logo;
    ASSERT_EQ(logo.Read(path.c_str()), LogoError::kNone);
    const std::vector<WORD> expected = {1, 6, 0xFFFF, 0, 2, 5, 7, 0xFFFF, 3, 3, 0xFFFF};
    EXPECT_EQ(std::vector<WORD>(logo.RunData().begin(), logo.RunData().end()), expected);
    const WORD* data = logo.RunData().data();
    EXPECT_EQ(std::vector<const WORD*>(logo.Rows().begin(), logo.Rows().end()),
              (std::vector<const WORD*>{data, nullptr, data + 3, data + 8}));
    EXPECT_EQ(logo.Rect(), (RECT{0, 0, 8, 4}));
    EXPECT_DOUBLE_EQ(logo.Aspect(), 0.5);
    const std::string missing = path + ".missing", dir = std::filesystem::path(path).parent_path();
    for (const char* bad : {missing.c_str(), dir.c_str(), static_cast<const char*>(nullptr)}) {
        EXPECT_EQ(logo.Read(bad), LogoError::kUnreadable);
        EXPECT_TRUE(logo.Rows().empty());
    }
}

TEST(LogoImage, SizeAndColourTable) {
    // Width (2W / 3 + 16) rounded up to whole words; height = width x B / A, truncated.
    constexpr struct {
        int screenWidth, width, height;
    } kCases[] = {
        {1024, 700, 175}, {640, 444, 111}, {1920, 1296, 324}, {1, 16, 4}, {799, 548, 137}};
    for (const auto& c : kCases) {
        RecordingHost host;
        CIntro intro(host, false, c.screenWidth, 480);
        ASSERT_TRUE(intro.LoadLogo(LogoOf(std::vector<std::string>(100, std::string(400, '#')))));
        EXPECT_EQ(intro.Image().Width() * 10000 + intro.Image().Height(),
                  c.width * 10000 + c.height);
        EXPECT_EQ(intro.Image().Pixels().size(), std::size_t(c.width * c.height));
    }
    for (const bool palette : {true, false}) {
        const auto info = MakeBitmapInfo(700, 175, palette);
        EXPECT_EQ(info.size(), palette ? 552u : 1064u);
        for (int i = 0; i < 129; ++i) {  // palette indices, or the ramp as blue, green, red, 0
            const auto expected =
                palette ? std::vector<int>{i, 0}
                        : std::vector<int>{132 * i / 128, 66 * i / 128, 40 * i / 128, 0};
            EXPECT_EQ(std::vector<int>(&info[40 + expected.size() * i],
                                       &info[40 + expected.size() * (i + 1)]),
                      expected);
        }
    }
}
