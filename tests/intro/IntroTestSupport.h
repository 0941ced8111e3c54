// SPDX-License-Identifier: MIT
// Helpers of the intro tests: logo files built in memory or on disk.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "intro/Intro.h"
#include "intro/LogoEncoder.h"
#include "testwindow/RecordingHost.h"

// The logo file of rows of '#' (covered) and '.' units, as the logo tool
// writes it; S is what the runs need unless given.
inline std::vector<BYTE> LogoOf(const std::vector<std::string>& units,
                                std::optional<std::uint32_t> S = std::nullopt) {
    LogoBitmap bitmap{int(units[0].size()), int(units.size()), {}};
    for (const std::string& row : units) {
        for (const char unit : row) {
            bitmap.units.push_back(unit == '#');
        }
    }
    std::string error;
    std::vector<BYTE> file = EncodeLogo(bitmap, error).value();
    for (int i = 0; S && i < 4; ++i) {
        file[i] = BYTE(*S >> 8 * i);
    }
    return file;
}

inline const std::string kCorpus = ZYN_SOURCE_DIR "/tests/intro/corpus/";

// Why the intro of a 1024 x 768 screen refuses the file (kNone: it loads).
inline LogoError LoadError(const std::string& path) {
    RecordingHost host;
    CIntro intro(host, false, 1024, 768);
    const bool loaded = intro.LoadLogo(path.c_str());
    EXPECT_EQ(loaded, intro.GetLoadError() == LogoError::kNone);
    // A refused logo plays nothing.
    Surface surface(4, 4, 32);
    CDC dc(surface);
    EXPECT_TRUE(loaded || !intro.Play(&dc));
    return intro.GetLoadError();
}

// A file in the test's temporary directory; returns its path.
inline std::string WriteTempFile(const std::string& name, const std::vector<BYTE>& bytes) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("zyn-intro-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return (dir / name).string();
}
