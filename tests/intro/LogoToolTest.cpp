#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <iterator>

#include "IntroTestSupport.h"
#include "intro/LogoEncoder.h"

namespace {

int ExitCode(const std::string& command) {
    const int status = std::system((command + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<BYTE> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string WriteText(const std::string& name, std::string_view text) {
    return WriteTempFile(name, std::vector<BYTE>(text.begin(), text.end()));
}

}  // namespace

TEST(LogoTool, TurnsPlainAndRawBitmapsIntoTheSameRuns) {
    const auto expected = LogoOf({".##...###.", "..........", "##########"});
    // P4 rows are padded to whole bytes, most significant bit first.
    for (const std::string_view pbm :
         {std::string_view("P1\n# logo\n10 3\n0110001110\n0000000000\n1111111111\n"),
          std::string_view("P4\n10 3\n\x63\x80\0\0\xFF\xC0", 14)}) {
        const std::string path = WriteText("logo.pbm", pbm);
        ASSERT_EQ(ExitCode(std::string(ZYN_LOGO_TOOL) + " " + path + " " + path + ".dta"), 0);
        EXPECT_EQ(ReadBytes(path + ".dta"), expected);
    }
}

TEST(LogoTool, RefusesWhatTheFormatCannotHold) {
    LogoBitmap busy{512, 1, std::vector<BYTE>(512)};  // 256 runs in a row
    for (int x = 0; x < 512; x += 2) {
        busy.units[x] = 1;
    }
    std::string error;
    for (const LogoBitmap& bad :
         {LogoBitmap{0, 1, {}}, LogoBitmap{32768, 1, std::vector<BYTE>(32768)},
          LogoBitmap{2, 2, {1, 1, 1}}, busy}) {
        EXPECT_FALSE(EncodeLogo(bad, error)) << bad.width;
    }
    busy.units[510] = 0;
    EXPECT_TRUE(EncodeLogo(busy, error));
    const std::string tool = ZYN_LOGO_TOOL;
    const std::string out = WriteText("out.dta", "");
    EXPECT_EQ(ExitCode(tool), 2);
    EXPECT_EQ(ExitCode(tool + " /nonexistent.pbm " + out), 1);
    for (const char* bad : {"P2\n1 1\n1\n", "P1\n", "P1\n3 2\n111\n11", "P1\n0 1\n",
                            "P4\n16 2\n\x01", "P1\n99999999 1\n"}) {
        EXPECT_EQ(ExitCode(tool + " " + WriteText("bad.pbm", bad) + " " + out), 1) << bad;
    }
    // The renderer refuses to draw the intro without a good logo.
    const std::string render =
        std::string(ZYN_RENDER_EXE) + " --intro-at 0 --output " + WriteText("intro.png", "");
    EXPECT_EQ(ExitCode(render + " --logo /nonexistent.dta"), 4);
    EXPECT_EQ(
        ExitCode(render + " --logo " + WriteTempFile("bad.dta", MakeLogoFile(6, 8, 1, {{{5, 3}}}))),
        4);
}
