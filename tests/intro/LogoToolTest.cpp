// SPDX-License-Identifier: MIT
// zynmon-logo turns a plain or raw one-bit bitmap into a logo file and refuses
// what the format cannot hold.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>

#include "IntroTestSupport.h"

namespace {

int ExitCode(const std::string& command) {
    const int status = std::system((command + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string WriteText(const std::string& name, std::string_view text) {
    return WriteTempFile(name, std::vector<BYTE>(text.begin(), text.end()));
}

}  // namespace

TEST(LogoTool, TurnsPlainAndRawBitmapsIntoTheSameRuns) {
    // P4 rows are padded to whole bytes, most significant bit first.
    for (const std::string_view pbm :
         {std::string_view("P1\n# logo\n10 3\n0110001110\n0000000000\n1111111111\n"),
          std::string_view("P4\n10 3\n\x63\x80\0\0\xFF\xC0", 14)}) {
        const std::string path = WriteText("logo.pbm", pbm);
        ASSERT_EQ(ExitCode(std::string(ZYN_LOGO_TOOL) + " " + path + " " + path + ".dta"), 0);
        // S = 16: two runs in the first row, one in the last; each row's count, then its runs.
        EXPECT_EQ(ReadFile(path + ".dta"), std::vector<BYTE>({16, 0, 0, 0, 10, 0, 3, 0, 2, 1, 0, 2,
                                                              0,  6, 0, 8, 0,  0, 1, 0, 0, 9, 0}));
    }
}

TEST(LogoTool, RefusesWhatTheFormatCannotHold) {
    // 1 to 32767 units wide, 1 to 65535 high, a flag per unit, at most 255 runs a row.
    const auto stripes = [](int width, int step) {
        LogoBitmap bitmap{width, 1, std::vector<BYTE>(width)};
        for (int x = 0; x < width; x += step) {
            bitmap.units[x] = 1;
        }
        return bitmap;
    };
    const std::pair<LogoBitmap, bool> kBitmaps[] = {{stripes(510, 2), true},
                                                    {stripes(511, 2), false},
                                                    {stripes(32767, 1000), true},
                                                    {stripes(32768, 1000), false},
                                                    {{0, 1, {}}, false},
                                                    {{1, 65535, std::vector<BYTE>(65535)}, true},
                                                    {{1, 65536, std::vector<BYTE>(65536)}, false},
                                                    {{2, 2, {1, 1, 1}}, false}};
    for (const auto& [bitmap, fits] : kBitmaps) {
        std::string error;
        EXPECT_EQ(EncodeLogo(bitmap, error).has_value(), fits) << bitmap.width << ": " << error;
    }
    const std::string tool = ZYN_LOGO_TOOL, out = WriteText("out.dta", "");
    EXPECT_EQ(ExitCode(tool), 2);
    EXPECT_EQ(ExitCode(tool + " /nonexistent.pbm " + out), 1);
    for (const char* bad : {"P2\n1 1\n1\n", "P1\n", "P1\n3 2\n111\n11", "P1\n0 1\n",
                            "P4\n16 2\n\x01", "P1\n99999999 1\n"}) {
        EXPECT_EQ(ExitCode(tool + " " + WriteText("bad.pbm", bad) + " " + out), 1) << bad;
    }
}
