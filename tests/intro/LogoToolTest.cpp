// SPDX-License-Identifier: MIT
// zynmon-logo turns a plain or raw one-bit bitmap into a logo file and refuses
// what the format cannot hold.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "IntroTestSupport.h"
#include "support/TestSupport.h"

namespace {

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
        std::string output;
        ASSERT_EQ(RunCommand(std::string(ZYN_LOGO_TOOL) + " " + path + " " + path + ".dta", output),
                  0)
            << output;
        // S = 16: two runs in the first row, one in the last; each row's count, then its runs.
        EXPECT_EQ(ReadFile(path + ".dta"), std::vector<BYTE>({16, 0, 0, 0, 10, 0, 3, 0, 2, 1, 0, 2,
                                                              0,  6, 0, 8, 0,  0, 1, 0, 0, 9, 0}));
    }
}

TEST(LogoTool, RefusesWhatTheFormatCannotHold) {
    // 1 to 32767 units wide, 1 to 65535 high, a flag per unit, at most 255 runs
    // a row, at least one covered unit.
    const auto stripes = [](int width, int height, int step) {
        LogoBitmap bitmap{width, height, std::vector<BYTE>(std::size_t(width) * height)};
        for (int x = 0; x < width; x += step) {
            bitmap.units[x] = 1;
        }
        return bitmap;
    };
    const std::pair<LogoBitmap, bool> kBitmaps[] = {{stripes(510, 1, 2), true},
                                                    {stripes(511, 1, 2), false},
                                                    {stripes(32767, 1, 1000), true},
                                                    {stripes(32768, 1, 1000), false},
                                                    {{0, 1, {}}, false},
                                                    {stripes(1, 65535, 1), true},
                                                    {stripes(1, 65536, 1), false},
                                                    {{2, 2, {1, 1, 1}}, false},
                                                    {{3, 2, std::vector<BYTE>(6)}, false}};
    for (const auto& [bitmap, fits] : kBitmaps) {
        std::string error;
        EXPECT_EQ(EncodeLogo(bitmap, error).has_value(), fits) << bitmap.width << ": " << error;
    }
}

// The command line: exit status 0 written, 1 the image refused or the output
// not written (with the reason), 2 bad arguments; --help on stdout. Every
// failure leaves an old output file as it was, a write beyond the file size
// limit too, and no temporary file. "@" is the scratch folder.
TEST(LogoTool, CommandLineStatusesAndMessages) {
    const std::string dir = WriteText("good.pbm", "P1\n3 2\n010\n111\n");
    const std::string scratch = dir.substr(0, dir.rfind('/') + 1);
    WriteText("huge.pbm", "P4\n65535 65535\n");
    WriteText("tall.pbm", "P4\n32767 65535\n");
    WriteText("white.pbm", "P1\n3 2\n000\n000\n");
    mkfifo((scratch + "fifo").c_str(), 0600);
    constexpr struct {
        const char* command;
        int status;
        const char* says;
        const char* shell = "";  // put before the command
    } kCases[] = {
        {"@good.pbm @out.dta", 0, ""},
        {"-- @good.pbm @out.dta", 0, ""},
        {"", 2, "needs an input and an output file\nusage:"},
        {"@good.pbm", 2, "usage:"},
        {"--bogus @good.pbm @out.dta", 2, "unknown argument --bogus"},
        {"--help", 0, "usage: zynmon-logo"},
        {"--help >/dev/full", 1, "cannot write to standard output: No space left on device"},
        {"/nonexistent.pbm @out.dta", 1, "cannot open /nonexistent.pbm: No such file"},
        {"@ @out.dta", 1, " is not a regular file"},
        {"@fifo @out.dta", 1, "fifo is not a regular file"},
        {"@huge.pbm @out.dta", 1, "bitmap size 65535x65535 outside 1x1..32767x65535"},
        {"@tall.pbm @out.dta", 1, "bitmap data ends early"},
        {"@white.pbm @out.dta", 1, "no black pixel: an empty logo"},
        {"@good.pbm /dev/full", 1, "cannot write /dev/full: No space left on device"},
        {"@good.pbm @", 1, "Is a directory"},
        {"@good.pbm @nofolder/out.dta", 1, "No such file or directory"},
        {"@good.pbm @out.dta", 1, "File too large", "trap '' XFSZ; ulimit -f 0;"},
    };
    const auto expand = [&](std::string text) {
        for (auto at = text.find('@'); at != std::string::npos; at = text.find('@', at)) {
            text.replace(at, 1, scratch);
        }
        return text;
    };
    const std::string old = "an old logo";
    for (const auto& c : kCases) {
        WriteText("out.dta", old);
        std::string output;
        // Bounded, so that a tool that blocks on the FIFO fails instead of hanging.
        EXPECT_EQ(
            RunCommand(std::string(c.shell) + " timeout 20 " ZYN_LOGO_TOOL " " + expand(c.command),
                       output),
            c.status)
            << c.command;
        EXPECT_NE(output.find(c.says), std::string::npos) << c.command << ": " << output;
        const auto written = ReadFile(scratch + "out.dta");
        EXPECT_EQ(std::string(written.begin(), written.end()) == old,
                  std::string(c.command).find("@out.dta") == std::string::npos || c.status != 0)
            << c.command;
    }
    // No temporary file is left behind.
    for (const auto& entry : std::filesystem::directory_iterator(scratch)) {
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
    }
}
