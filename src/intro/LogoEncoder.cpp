// SPDX-License-Identifier: MIT
#include "intro/LogoEncoder.h"

#include <utility>

namespace {

constexpr std::size_t kMaxRuns = 255;

void PutU16(std::vector<BYTE>& out, unsigned value) {
    out.push_back(static_cast<BYTE>(value));
    out.push_back(static_cast<BYTE>(value >> 8));
}

}  // namespace

std::optional<std::vector<BYTE>> EncodeLogo(const LogoBitmap& bitmap, std::string& error) {
    if (bitmap.width < 1 || bitmap.width > kMaxLogoWidth || bitmap.height < 1 ||
        bitmap.height > kMaxLogoHeight) {
        error = "logo size " + std::to_string(bitmap.width) + "x" + std::to_string(bitmap.height) +
                " outside 1x1..32767x65535";
        return std::nullopt;
    }
    const auto width = static_cast<std::size_t>(bitmap.width);
    if (bitmap.units.size() != width * static_cast<std::size_t>(bitmap.height)) {
        error = "logo bitmap has the wrong number of units";
        return std::nullopt;
    }

    std::vector<BYTE> records;
    std::uint32_t runStoreSize = 0;
    for (int y = 0; y < bitmap.height; ++y) {
        const BYTE* row = bitmap.units.data() + static_cast<std::size_t>(y) * width;
        std::vector<std::pair<unsigned, unsigned>> runs;
        for (std::size_t x = 0; x < width;) {
            if (row[x] == 0) {
                ++x;
                continue;
            }
            const std::size_t start = x;
            while (x < width && row[x] != 0) {
                ++x;
            }
            runs.emplace_back(static_cast<unsigned>(start), static_cast<unsigned>(x - 1));
        }
        if (runs.size() > kMaxRuns) {
            error = "row " + std::to_string(y) + " has more than 255 runs";
            return std::nullopt;
        }
        records.push_back(static_cast<BYTE>(runs.size()));
        for (const auto& [start, end] : runs) {
            PutU16(records, start);
            PutU16(records, end);
        }
        if (!runs.empty()) {
            runStoreSize += static_cast<std::uint32_t>(4 * runs.size() + 2);
        }
    }

    if (runStoreSize == 0) {
        error = "the bitmap has no black pixel: an empty logo";
        return std::nullopt;
    }

    // S counts the runs and end marks; the reader's block adds 2 bytes of slack.
    std::vector<BYTE> file;
    PutU16(file, runStoreSize & 0xFFFF);
    PutU16(file, runStoreSize >> 16);
    PutU16(file, static_cast<unsigned>(bitmap.width));
    PutU16(file, static_cast<unsigned>(bitmap.height));
    file.insert(file.end(), records.begin(), records.end());
    return file;
}
