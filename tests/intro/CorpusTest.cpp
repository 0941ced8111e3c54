// Replays every file of the logo corpus through the fuzz target's checks. The
// hand-made files name the rule they break ("reject-<rule>-...") or are good
// ("accept-..."); the rest are inputs the fuzzer found.
#include <gtest/gtest.h>

#include "IntroTestSupport.h"

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
    std::vector<int> handMade(std::size(kRules));
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(ZYN_SOURCE_DIR "/tests/intro/corpus")) {
        const std::vector<BYTE> file = ReadFile(entry.path());
        ++files;
        LLVMFuzzerTestOneInput(file.data(), file.size());
        const LogoError error = LoadError(file);
        for (std::size_t i = 0; i < std::size(kRules); ++i) {
            if (entry.path().filename().string().starts_with(kRules[i].first)) {
                EXPECT_EQ(error, kRules[i].second) << entry.path();
                ++handMade[i];
            }
        }
    }
    EXPECT_GE(files, 19);
    EXPECT_EQ(std::count(handMade.begin(), handMade.end(), 0), 0);  // every rule has its file
}
