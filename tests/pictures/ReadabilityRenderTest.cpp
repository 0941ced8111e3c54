// The readability picture through the headless renderer, each run a process
// of its own with a fresh font lookup.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

int RunCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string RenderCommand(int level, const std::string& output) {
    return std::string(ZYN_RENDER_EXE) + " --picture 5 --size 800x600 --resolution " +
           std::to_string(level) + " --output " + output;
}

}  // namespace

TEST(ReadabilityRender, SameTextSamePixelsRunAfterRun) {
    const std::string dir = testing::TempDir();
    for (int level = 0; level < 3; ++level) {
        const std::string first = dir + "readability_first.png";
        const std::string second = dir + "readability_second.png";
        ASSERT_EQ(RunCommand(RenderCommand(level, first)), 0);
        ASSERT_EQ(RunCommand(RenderCommand(level, second)), 0);
        const std::string a = ReadFile(first);
        EXPECT_FALSE(a.empty());
        EXPECT_TRUE(a == ReadFile(second)) << "level " << level;
    }
}

TEST(ReadabilityRender, RowEndsWhenNoFontAdvancesThePosition) {
    // A font setup without a single font: no text can be written, the
    // position stands still, and each row must end instead of looping.
    const std::string dir = testing::TempDir();
    const std::string config = dir + "no-fonts.conf";
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    const std::string output = dir + "readability_no_fonts.png";
    std::remove(output.c_str());
    const std::string command =
        "FONTCONFIG_FILE=" + config + " timeout 30 " + RenderCommand(2, output) + " 2>/dev/null";
    EXPECT_EQ(RunCommand(command), 0);
    EXPECT_FALSE(ReadFile(output).empty());
}
