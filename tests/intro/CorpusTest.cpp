// Replays every file of the logo corpus: the hand-made files name the rule
// they break ("reject-<rule>-...") or are good ("accept-..."); the rest are
// inputs the fuzzer found and must load or be rejected without harm.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "IntroTestSupport.h"

namespace {

using LogoError = CIntro::LogoError;

struct Rule {
    const char* prefix;
    LogoError error;
};
constexpr Rule kRules[] = {
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

std::vector<std::filesystem::path> CorpusFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(ZYN_SOURCE_DIR) + "/tests/intro/corpus")) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(LogoCorpus, EveryFileLoadsOrIsRejectedForItsRule) {
    const auto files = CorpusFiles();
    ASSERT_GE(files.size(), 19u);
    std::size_t handMade = 0;
    for (const auto& path : files) {
        const std::string name = path.filename().string();
        RecordingHost host;
        Surface surface(1024, 768, 32);
        CIntro intro(host, false, 1024, 768);
        const bool loaded = intro.LoadLogo(path.c_str());
        for (const Rule& rule : kRules) {
            if (name.rfind(rule.prefix, 0) == 0) {
                EXPECT_EQ(intro.GetLoadError(), rule.error) << name;
                ++handMade;
            }
        }
        if (loaded) {
            // Whatever loads draws within the ramp at every stage of the zoom.
            CDC dc(surface);
            for (const double t : {0.0, 0.5, 1.0}) {
                intro.DrawZoomFrame(&dc, t);
                for (const BYTE value : intro.Pixels()) {
                    ASSERT_LE(value, 128) << name;
                }
            }
        } else {
            EXPECT_NE(intro.GetLoadError(), LogoError::kNone) << name;
        }
    }
    EXPECT_GE(handMade, 19u);
}

TEST(LogoCorpus, EveryRuleHasAHandMadeFile) {
    const auto files = CorpusFiles();
    for (const Rule& rule : kRules) {
        const bool found = std::any_of(files.begin(), files.end(), [&](const auto& path) {
            return path.filename().string().rfind(rule.prefix, 0) == 0;
        });
        EXPECT_TRUE(found) << rule.prefix;
    }
}
