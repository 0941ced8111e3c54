// SPDX-License-Identifier: MIT
// zynmon-logo: turns a one-bit image (PBM) into the intro's logo data file.
//   zynmon-logo INPUT.pbm OUTPUT.dta
#include <cstdio>
#include <fstream>
#include <string>

#include "Pbm.h"
#include "intro/LogoEncoder.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: zynmon-logo INPUT.pbm OUTPUT.dta\n", stderr);
        return 2;
    }
    std::string error;
    const auto bitmap = ReadPbm(argv[1], error);
    const auto file = bitmap ? EncodeLogo(*bitmap, error) : std::nullopt;
    if (!file) {
        std::fprintf(stderr, "zynmon-logo: %s\n", error.c_str());
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file->data()),
              static_cast<std::streamsize>(file->size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "zynmon-logo: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
