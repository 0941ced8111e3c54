// SPDX-License-Identifier: MIT
#include "Pbm.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Sides beyond this cannot be a logo (the format stops at 65535 rows).
constexpr long kMaxSide = 65535;
// The largest bitmap file read: a raw bitmap of the largest logo nearly fills it.
constexpr std::uint64_t kMaxFileBytes = std::uint64_t{256} << 20;

struct FileDescriptor {
    int fd;
    ~FileDescriptor() {
        if (fd >= 0) {
            close(fd);
        }
    }
};

std::string Reason(const std::string& what, const std::string& path, int code) {
    return what + " " + path + ": " + std::strerror(code);
}

// Reads a regular file whole. A folder, FIFO or device is refused before
// any read (opened without blocking), and so is a file over kMaxFileBytes.
bool ReadRegularFile(const std::string& path, std::vector<char>& data, std::string& error) {
    const FileDescriptor file{open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    struct stat info {};
    if (file.fd < 0 || fstat(file.fd, &info) != 0) {
        error = Reason("cannot open", path, errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = path + " is not a regular file";
        return false;
    }
    if (static_cast<std::uint64_t>(info.st_size) > kMaxFileBytes) {
        error = path + " is larger than " + std::to_string(kMaxFileBytes >> 20) + " MiB";
        return false;
    }
    data.assign(static_cast<std::size_t>(info.st_size), 0);
    std::size_t filled = 0;
    while (filled < data.size()) {
        const ssize_t got = read(file.fd, data.data() + filled, data.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = Reason("cannot read", path, errno);
            return false;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    data.resize(filled);
    return true;
}

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
    std::vector<char> data;
    if (!ReadRegularFile(path, data, error)) {
        return std::nullopt;
    }
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
    if (width > kMaxLogoWidth || height > kMaxLogoHeight) {
        error = path + ": bitmap size " + std::to_string(width) + "x" + std::to_string(height) +
                " outside 1x1.." + std::to_string(kMaxLogoWidth) + "x" +
                std::to_string(kMaxLogoHeight);
        return std::nullopt;
    }

    // The data must be there before the units are made: a raw row takes whole
    // bytes, a plain unit at least one character.
    const auto columns = static_cast<std::size_t>(width);
    const auto rows = static_cast<std::size_t>(height);
    const std::size_t rowBytes = (columns + 7) / 8;
    if ((raw && (!scanner.SkipOneSpace() || scanner.Remaining() / rowBytes < rows)) ||
        (!raw && scanner.Remaining() / columns < rows)) {
        error = path + ": bitmap data ends early";
        return std::nullopt;
    }
    LogoBitmap bitmap;
    bitmap.width = static_cast<int>(width);
    bitmap.height = static_cast<int>(height);
    bitmap.units.resize(columns * rows);
    if (raw) {
        const auto* bits = reinterpret_cast<const unsigned char*>(scanner.Here());
        for (std::size_t y = 0; y < rows; ++y) {
            for (std::size_t x = 0; x < columns; ++x) {
                const unsigned char byte = bits[y * rowBytes + x / 8];
                bitmap.units[y * columns + x] = (byte >> (7 - x % 8)) & 1;
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
