#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

std::vector<BYTE> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// A 10 x 3 bitmap: row 0 two runs, row 1 empty, row 2 fully covered.
const char* const kPlainPbm =
    "P1\n# test logo\n10 3\n"
    "0110001110\n"
    "0000000000\n"
    "1111111111\n";

}  // namespace

TEST(LogoEncoder, RowsBecomeRunsAndSCountsTheRunStore) {
    LogoBitmap bitmap{10, 3, {0, 1, 1, 0, 0, 0, 1, 1, 1, 0,  //
                              0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  //
                              1, 1, 1, 1, 1, 1, 1, 1, 1, 1}};
    std::string error;
    const auto file = EncodeLogo(bitmap, error);
    ASSERT_TRUE(file) << error;
    const std::vector<RunRow> rows = {{{1, 2}, {6, 8}}, {}, {{0, 9}}};
    EXPECT_EQ(*file, MakeLogoFile(16, 10, 3, rows));
    EXPECT_EQ(RunStoreSize(rows), 16u);
}

TEST(LogoEncoder, RefusesWhatTheFormatCannotHold) {
    std::string error;
    EXPECT_FALSE(EncodeLogo(LogoBitmap{0, 1, {}}, error));
    EXPECT_FALSE(EncodeLogo(LogoBitmap{32768, 1, std::vector<BYTE>(32768)}, error));
    EXPECT_FALSE(EncodeLogo(LogoBitmap{2, 2, {1, 1, 1}}, error));
    // 256 runs in a row.
    LogoBitmap busy{512, 1, std::vector<BYTE>(512)};
    for (int x = 0; x < 512; x += 2) {
        busy.units[x] = 1;
    }
    EXPECT_FALSE(EncodeLogo(busy, error));
    EXPECT_NE(error.find("255"), std::string::npos);
    busy.units[510] = 0;
    EXPECT_TRUE(EncodeLogo(busy, error));
}

TEST(LogoTool, TurnsPlainAndRawBitmapsIntoTheSameFile) {
    const std::string plain = WriteTempFile("logo.pbm", Bytes(kPlainPbm));
    // The same picture as P4: rows padded to whole bytes, most significant bit first.
    const std::string rawBytes("P4\n10 3\n\x63\x80\0\0\xFF\xC0", 14);
    const std::string raw = WriteTempFile("logo.pbm", Bytes(rawBytes));
    const std::string out1 = plain + ".dta";
    const std::string out2 = raw + ".dta";
    ASSERT_EQ(ExitCode(std::string(ZYN_LOGO_TOOL) + " " + plain + " " + out1), 0);
    ASSERT_EQ(ExitCode(std::string(ZYN_LOGO_TOOL) + " " + raw + " " + out2), 0);
    const std::vector<RunRow> rows = {{{1, 2}, {6, 8}}, {}, {{0, 9}}};
    EXPECT_EQ(ReadBytes(out1), MakeLogoFile(16, 10, 3, rows));
    EXPECT_EQ(ReadBytes(out2), ReadBytes(out1));
}

TEST(LogoTool, RejectsBadInput) {
    const std::string tool = ZYN_LOGO_TOOL;
    EXPECT_EQ(ExitCode(tool), 2);
    const std::string out = WriteTempFile("out.dta", {});
    EXPECT_EQ(ExitCode(tool + " /nonexistent.pbm " + out), 1);
    for (const char* bad : {"P2\n1 1\n1\n", "P1\n", "P1\n3 2\n111\n11", "P1\n0 1\n",
                            "P4\n16 2\n\x01", "P1\n99999999 1\n"}) {
        const std::string path = WriteTempFile("bad.pbm", Bytes(bad));
        EXPECT_EQ(ExitCode(tool + " " + path + " " + out), 1) << bad;
    }
}

TEST(LogoTool, TheBuiltLogoLoads) {
    RecordingHost host;
    CIntro intro(host, false, 1024, 768);
    ASSERT_TRUE(intro.LoadLogo(ZYN_LOGO_FILE)) << LogoErrorText(intro.GetLoadError());
    EXPECT_EQ(intro.LogoRect(), (RECT{0, 0, 2604, 714}));
    EXPECT_EQ(intro.ImageWidth(), 700);
    EXPECT_EQ(intro.ImageHeight(), 191);
}

TEST(RenderIntro, DrawsTheIntroAtAGivenTime) {
    const std::string render = ZYN_RENDER_EXE;
    const std::string out = WriteTempFile("intro.png", {});
    for (const char* at : {"0", "5000", "7000", "30000"}) {
        std::filesystem::remove(out);
        EXPECT_EQ(
            ExitCode(render + " --intro-at " + at + " --logo " ZYN_LOGO_FILE " --output " + out), 0)
            << at;
        EXPECT_GT(std::filesystem::file_size(out), 0u);
    }
    EXPECT_EQ(ExitCode(render + " --intro-at 100 --logo " ZYN_LOGO_FILE " --bpp 8 --size 640x480" +
                       " --output " + out),
              0);
}

TEST(RenderIntro, MissingOrRejectedLogoExitsWith4) {
    const std::string render = ZYN_RENDER_EXE;
    const std::string out = WriteTempFile("intro.png", {});
    EXPECT_EQ(ExitCode(render + " --intro-at 0 --logo /nonexistent.dta --output " + out), 4);
    const std::string bad = WriteTempFile("bad.dta", MakeLogoFile(6, 8, 1, {{{5, 3}}}));
    EXPECT_EQ(ExitCode(render + " --intro-at 0 --logo " + bad + " --output " + out), 4);
    // The two options go together.
    EXPECT_EQ(ExitCode(render + " --intro-at 0 --output " + out), 2);
    EXPECT_EQ(ExitCode(render + " --logo " + bad + " --picture 0 --output " + out), 2);
    EXPECT_EQ(ExitCode(render + " --intro-at x --logo " + bad + " --output " + out), 2);
}

TEST(Install, PutsTheLogoBesideADesktopEntryThatStartsThere) {
    const auto prefix = std::filesystem::path(WriteTempFile("unused", {})).parent_path() / "usr";
    ASSERT_EQ(ExitCode(std::string(ZYN_CMAKE) + " --install " ZYN_BINARY_DIR " --prefix " +
                       prefix.string() + " >/dev/null"),
              0);
    EXPECT_TRUE(std::filesystem::exists(prefix / "bin/zynmon-render"));
    EXPECT_EQ(ReadBytes((prefix / "share/zynmon/zynlogo.dta").string()), ReadBytes(ZYN_LOGO_FILE));
    const auto entry = ReadBytes((prefix / "share/applications/zynmon.desktop").string());
    const std::string text(entry.begin(), entry.end());
    EXPECT_NE(text.find("Exec=" + (prefix / "bin/zynmon").string() + "\n"), std::string::npos);
    EXPECT_NE(text.find("Path=" + (prefix / "share/zynmon").string() + "\n"), std::string::npos);
    std::filesystem::remove_all(prefix.parent_path());
}
