// SPDX-License-Identifier: MIT
// Replays every file of the logo corpus, and files made here at the reader's
// limits, through the fuzz target's checks and the intro's loader. The
// hand-made files name the rule they break ("reject-<rule>-...") or are good
// ("accept-..."); the rest of the corpus are inputs the fuzzer found.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "IntroTestSupport.h"
#include "support/TestSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

TEST(LogoCorpus, EveryFileLoadsOrIsRejectedForItsRule) {
    constexpr std::pair<const char*, LogoError> kRules[] = {
        {"accept-", LogoError::kNone},
        {"reject-truncated-", LogoError::kTruncated},
        {"reject-empty-logo-", LogoError::kEmptyLogo},
        {"reject-size-too-large-", LogoError::kSizeTooLarge},
        {"reject-run-store-overflow", LogoError::kRunStoreOverflow},
        {"reject-run-out-of-range-", LogoError::kRunOutOfRange},
        {"reject-run-reversed", LogoError::kRunReversed},
        {"reject-runs-out-of-order", LogoError::kRunsOutOfOrder},
        {"reject-image-too-large", LogoError::kImageTooLarge},
    };
    // The largest run store; a logo 1 unit wide and B high is 700 x 700 B
    // pixels at W = 1024; 300 rows of 120 runs take more than one 64 KiB read.
    constexpr std::uint32_t kLargestS = LogoFile::kMaxBlockSize - sizeof(const WORD*) - 2;
    std::string stripes;
    for (int i = 0; i < 120; ++i) {
        stripes += "#.";
    }
    std::vector<std::string> paths = {
        WriteTempFile("accept-largest-size", LogoOf({"########"}, kLargestS)),
        WriteTempFile("reject-size-too-large-by-one", LogoOf({"########"}, kLargestS + 1)),
        WriteTempFile("accept-136-rows", LogoOf(std::vector<std::string>(136, "#"))),
        WriteTempFile("reject-image-too-large-137", LogoOf(std::vector<std::string>(137, "#"))),
        WriteTempFile("accept-several-reads", LogoOf(std::vector<std::string>(300, stripes)))};
    // Every cut of a good file.
    const auto good = LogoOf({".######.", "........", "###..###", "...#...."});
    for (std::size_t size = 0; size < good.size(); ++size) {
        paths.push_back(WriteTempFile("reject-truncated-" + std::to_string(size),
                                      std::vector<BYTE>(good.begin(), good.begin() + size)));
    }
    for (const auto& entry : std::filesystem::directory_iterator(kCorpus)) {
        paths.push_back(entry.path());
    }
    std::vector<int> handMade(std::size(kRules));
    for (const std::string& path : paths) {
        const std::vector<BYTE> file = ReadFile(path);
        LLVMFuzzerTestOneInput(file.data(), file.size());
        const LogoError error = LoadError(path);
        for (std::size_t i = 0; i < std::size(kRules); ++i) {
            if (std::filesystem::path(path).filename().string().starts_with(kRules[i].first)) {
                EXPECT_EQ(error, kRules[i].second) << path;
                ++handMade[i];
            }
        }
    }
    EXPECT_EQ(std::count(handMade.begin(), handMade.end(), 0), 0);  // every rule has its file
}

// What is not a regular file is refused without being read, so that a FIFO
// cannot block the reader; a missing file is told from an unreadable one. The
// test window keeps the reason and names a refused file in one line, without
// a message box; a missing one is no fault (the intro is optional). Without a
// good logo the picture comes at once, and stays.
TEST(LogoCorpus, OnlyRegularFilesAreReadAndARefusalIsNamed) {
    const std::string fifo = WriteTempFile("placeholder", {}) + ".fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, LogoError> kPaths[] = {
        {fifo, LogoError::kNotRegularFile},
        {"/", LogoError::kNotRegularFile},
        {"/dev/zero", LogoError::kNotRegularFile},
        {"/nonexistent.dta", LogoError::kMissing},
        {std::string(ZYN_LOGO_FILE) + "/below-a-file", LogoError::kUnreadable},
        {kCorpus + "reject-run-reversed.dta", LogoError::kRunReversed},
        {ZYN_LOGO_FILE, LogoError::kNone},
    };
    for (const auto& [path, error] : kPaths) {
        EXPECT_EQ(LoadError(path), error) << path;
        Screen screen(640, 480);
        screen.wnd.SetLogoPath(path);
        screen.Paint();
        screen.Paint();
        const bool intro = error == LogoError::kNone;
        EXPECT_EQ(SamePixels(screen, Screen(640, 480, 32, 0)), !intro) << path;
        EXPECT_EQ(screen.host.introEnded, intro ? 0 : 1) << path;
        EXPECT_TRUE(screen.host.messages.empty()) << path;
        EXPECT_EQ(screen.wnd.GetLogoError(), error) << path;
        EXPECT_EQ(screen.wnd.IsIntroRunning(), error == LogoError::kNone) << path;
        const bool named = error != LogoError::kNone && error != LogoError::kMissing;
        EXPECT_EQ(
            screen.wnd.LogoRefusal(),
            named ? "logo file " + path + ": " + LogoErrorText(error) + "; the intro is left out"
                  : "")
            << path;
    }
    std::filesystem::remove(fifo);
}
