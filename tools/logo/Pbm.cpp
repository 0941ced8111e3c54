// SPDX-License-Identifier: MIT
#include "Pbm.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// Sides beyond this cannot be a logo (the format stops at 65535 rows).
constexpr long kMaxSide = 65535;

class PbmScanner {
public:
    explicit PbmScanner(std::vector<char> data) : m_data(std::move(data)) {}

    // Skips white space and comments ('#' to the end of the line).
    void SkipSpace() {
        while (m_pos < m_data.size()) {
            const char c = m_data[m_pos];
            if (c == '#') {
                while (m_pos < m_data.size() && m_data[m_pos] != '\n') {
                    ++m_pos;
                }
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_pos;
            } else {
                break;
            }
        }
    }
    bool ReadNumber(long& value) {
        SkipSpace();
        value = 0;
        std::size_t digits = 0;
        while (m_pos < m_data.size() && std::isdigit(static_cast<unsigned char>(m_data[m_pos]))) {
            value = value * 10 + (m_data[m_pos++] - '0');
            if (value > kMaxSide) {
                return false;
            }
            ++digits;
        }
        return digits > 0;
    }
    // One plain-format bit: '0' or '1' after optional white space.
    bool ReadPlainBit(BYTE& bit) {
        SkipSpace();
        if (m_pos >= m_data.size() || (m_data[m_pos] != '0' && m_data[m_pos] != '1')) {
            return false;
        }
        bit = m_data[m_pos++] == '1' ? 1 : 0;
        return true;
    }
    // The single white-space character that ends a raw header.
    bool SkipOneSpace() {
        if (m_pos >= m_data.size() || !std::isspace(static_cast<unsigned char>(m_data[m_pos]))) {
            return false;
        }
        ++m_pos;
        return true;
    }
    std::size_t Remaining() const { return m_data.size() - m_pos; }
    const char* Here() const { return m_data.data() + m_pos; }
    std::string Magic() const { return std::string(m_data.begin(), m_data.begin() + 2); }
    void Skip(std::size_t count) { m_pos += count; }

private:
    std::vector<char> m_data;
    std::size_t m_pos = 0;
};

}  // namespace

std::optional<LogoBitmap> ReadPbm(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open " + path;
        return std::nullopt;
    }
    std::vector<char> data{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (data.size() < 2 || (std::string(data.begin(), data.begin() + 2) != "P1" &&
                            std::string(data.begin(), data.begin() + 2) != "P4")) {
        error = path + " is not a P1 or P4 bitmap";
        return std::nullopt;
    }
    PbmScanner scanner(std::move(data));
    const bool raw = scanner.Magic() == "P4";
    scanner.Skip(2);
    long width = 0;
    long height = 0;
    if (!scanner.ReadNumber(width) || !scanner.ReadNumber(height) || width < 1 || height < 1) {
        error = path + ": bad bitmap size";
        return std::nullopt;
    }

    LogoBitmap bitmap;
    bitmap.width = static_cast<int>(width);
    bitmap.height = static_cast<int>(height);
    bitmap.units.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    if (raw) {
        const std::size_t rowBytes = (static_cast<std::size_t>(width) + 7) / 8;
        if (!scanner.SkipOneSpace() || scanner.Remaining() < rowBytes * height) {
            error = path + ": bitmap data ends early";
            return std::nullopt;
        }
        const auto* bits = reinterpret_cast<const unsigned char*>(scanner.Here());
        for (long y = 0; y < height; ++y) {
            for (long x = 0; x < width; ++x) {
                const unsigned char byte = bits[y * rowBytes + x / 8];
                bitmap.units[y * width + x] = (byte >> (7 - x % 8)) & 1;
            }
        }
    } else {
        for (BYTE& unit : bitmap.units) {
            if (!scanner.ReadPlainBit(unit)) {
                error = path + ": bitmap data ends early";
                return std::nullopt;
            }
        }
    }
    return bitmap;
}
