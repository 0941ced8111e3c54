// The logo reader beyond what the corpus files show: the limits of the
// largest block, every cut of a good file, paths that cannot be read.
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
    const auto good = LogoOf({".######.", "........", "###..###", "...#...."});
    for (std::size_t size = 0; size < good.size(); ++size) {
        EXPECT_EQ(LoadError(std::span(good).first(size)), LogoError::kTruncated) << size;
    }
    for (const char* path : {"/nonexistent.dta", "/", static_cast<const char*>(nullptr)}) {
        EXPECT_EQ(LogoFile().Read(path), LogoError::kUnreadable) << (path ? path : "null");
    }
}
