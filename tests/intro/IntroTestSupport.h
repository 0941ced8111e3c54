// Helpers of the intro tests: logo files built in memory or on disk.
#pragma once

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "gdi/GdiTypes.h"

// The bytes of a logo file with this header and these row records of runs.
inline std::vector<BYTE> MakeLogoFile(std::uint32_t S, int A, int B,
                                      const std::vector<std::vector<std::pair<int, int>>>& rows) {
    std::vector<BYTE> file;
    const auto put = [&file](unsigned v) { file.insert(file.end(), {BYTE(v), BYTE(v >> 8)}); };
    for (const unsigned field : {S & 0xFFFF, S >> 16, unsigned(A), unsigned(B)}) {
        put(field);
    }
    for (const auto& row : rows) {
        file.push_back(static_cast<BYTE>(row.size()));
        for (const auto& [start, end] : row) {
            put(unsigned(start) & 0xFFFF);
            put(unsigned(end) & 0xFFFF);
        }
    }
    return file;
}

// A logo file from rows of '#' (covered) and '.' units; S is what the runs need.
inline std::vector<BYTE> LogoOf(const std::vector<std::string>& units) {
    std::vector<std::vector<std::pair<int, int>>> rows(units.size());
    std::uint32_t S = 0;
    for (std::size_t j = 0; j < units.size(); ++j) {
        for (std::size_t x = units[j].find('#'); x < units[j].size(); x = units[j].find('#', x)) {
            const std::size_t end = std::min(units[j].find('.', x), units[j].size());
            rows[j].emplace_back(int(x), int(end - 1));
            x = end;
        }
        S += rows[j].empty() ? 0 : 4 * std::uint32_t(rows[j].size()) + 2;
    }
    return MakeLogoFile(S, int(units[0].size()), int(units.size()), rows);
}

inline std::vector<BYTE> SolidLogo(int A, int B) {
    return LogoOf(std::vector<std::string>(B, std::string(A, '#')));
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
