// SPDX-License-Identifier: MIT
// zynmon-logo: turns a one-bit image (PBM) into the intro's logo data file.
//   zynmon-logo INPUT.pbm OUTPUT.dta
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "files/AtomicFile.h"
#include "Pbm.h"
#include "files/StandardOutput.h"
#include "intro/LogoEncoder.h"

namespace {

constexpr int kExitWritten = 0;
constexpr int kExitFailed = 1;
constexpr int kExitBadArguments = 2;

constexpr const char* kUsage =
    "usage: zynmon-logo INPUT.pbm OUTPUT.dta\n"
    "       zynmon-logo --help\n"
    "  Turns a one-bit PBM image (plain P1 or raw P4; black is the logo; at most\n"
    "  32767x65535 pixels, 255 black runs a row) into the intro's logo data file.\n"
    "  OUTPUT.dta is written whole or not at all: an old file stays as it was when\n"
    "  the image is refused or writing fails.\n"
    "Exit status: 0 written; 1 the image cannot be read or is refused (not a regular\n"
    "file, not a bitmap, too large, data ending early, no black pixel), or OUTPUT.dta\n"
    "or the standard output cannot be written (the reason on stderr); 2 bad arguments.\n";

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    // "--" ends the options, for file names that start with a dash.
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (!optionsEnded && arg == "--help") {
            std::fputs(kUsage, stdout);
            return FinishStandardOutput("zynmon-logo") ? kExitWritten : kExitFailed;
        }
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "zynmon-logo: unknown argument %s\n%s", arg.c_str(), kUsage);
            return kExitBadArguments;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) {
        std::fprintf(stderr, "zynmon-logo: needs an input and an output file\n%s", kUsage);
        return kExitBadArguments;
    }
    std::string error;
    const auto bitmap = ReadPbm(files[0], error);
    const auto file = bitmap ? EncodeLogo(*bitmap, error) : std::nullopt;
    if (!file) {
        std::fprintf(stderr, "zynmon-logo: %s\n", error.c_str());
        return kExitFailed;
    }
    if (!WriteFileAtomically(files[1], file->data(), file->size(), error)) {
        std::fprintf(stderr, "zynmon-logo: %s\n", error.c_str());
        return kExitFailed;
    }
    return kExitWritten;
}
