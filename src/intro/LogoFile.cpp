// SPDX-License-Identifier: MIT
// Reading the logo data file into the run store: per row with runs, its runs
// followed by an end mark; a row without runs has a null pointer.
#include "intro/LogoFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

// Little-endian reads that never step past the end of the data.
class ByteReader {
public:
    explicit ByteReader(std::span<const BYTE> data) : m_data(data) {}

    bool Has(std::size_t count) const { return m_data.size() - m_pos >= count; }
    bool ReadU8(BYTE& value) {
        if (!Has(1)) {
            return false;
        }
        value = m_data[m_pos++];
        return true;
    }
    bool ReadU16(WORD& value) {
        if (!Has(2)) {
            return false;
        }
        value = static_cast<WORD>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return true;
    }
    bool ReadU32(DWORD& value) {
        WORD low = 0;
        WORD high = 0;
        if (!Has(4) || !ReadU16(low) || !ReadU16(high)) {
            return false;
        }
        value = low | (DWORD{high} << 16);
        return true;
    }

private:
    std::span<const BYTE> m_data;
    std::size_t m_pos = 0;
};

struct FileDescriptor {
    int fd;
    ~FileDescriptor() {
        if (fd >= 0) {
            close(fd);
        }
    }
};

// Reads at most kMaxFileSize bytes of a regular file. The file is opened
// without blocking and checked before any read, so that a FIFO or a device
// named as the logo cannot stall the caller (the GUI thread).
LogoError ReadFileBytes(const char* path, std::vector<BYTE>& bytes) {
    const FileDescriptor file{open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    const int fd = file.fd;
    if (fd < 0) {
        return errno == ENOENT ? LogoError::kMissing : LogoError::kUnreadable;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        return LogoError::kUnreadable;
    }
    if (!S_ISREG(info.st_mode)) {
        return LogoError::kNotRegularFile;
    }
    const auto size = static_cast<std::size_t>(
        std::min<std::uint64_t>(static_cast<std::uint64_t>(info.st_size), LogoFile::kMaxFileSize));
    bytes.assign(size, 0);
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = read(fd, bytes.data() + filled, size - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return LogoError::kUnreadable;
        }
        if (got == 0) {
            break;  // the file shrank meanwhile: what is there is read
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return LogoError::kNone;
}

}  // namespace

LogoError LogoFile::Read(const char* path) {
    std::vector<BYTE> file;
    const LogoError error = path != nullptr ? ReadFileBytes(path, file) : LogoError::kUnreadable;
    if (error != LogoError::kNone) {
        Parse({});
        return error;
    }
    return Parse(file);
}

LogoError LogoFile::Parse(std::span<const BYTE> file) {
    m_ppRows.clear();
    m_pLogoData.clear();
    const LogoError error = ParseRows(file);
    if (error != LogoError::kNone) {
        m_ppRows.clear();
        m_pLogoData.clear();
        m_rcLogo = {0, 0, 0, 0};
        m_dLogoAspect = 0.0;
    }
    return error;
}

LogoError LogoFile::ParseRows(std::span<const BYTE> file) {
    ByteReader reader(file);
    DWORD S = 0;
    WORD A = 0;
    WORD B = 0;
    if (!reader.ReadU32(S) || !reader.ReadU16(A) || !reader.ReadU16(B)) {
        return LogoError::kTruncated;
    }
    if (A == 0 || B == 0) {
        return LogoError::kEmptyLogo;
    }
    m_dLogoAspect = static_cast<double>(B) / static_cast<double>(A);
    m_rcLogo = {0, 0, A, B};

    // The block of the row table and S + 2 bytes of run data.
    const std::uint64_t runStoreBytes = std::uint64_t{S} + 2;
    if (B * sizeof(const WORD*) + runStoreBytes > kMaxBlockSize) {
        return LogoError::kSizeTooLarge;
    }

    // Every row has at least its count byte: a shorter file is refused before
    // the row table is made.
    if (!reader.Has(B)) {
        return LogoError::kTruncated;
    }

    // Rows keep their start in the run data until it has stopped growing.
    constexpr std::size_t kNoRuns = SIZE_MAX;
    std::vector<std::size_t> rowStarts(B, kNoRuns);
    for (WORD i = 0; i < B; ++i) {
        BYTE n = 0;
        if (!reader.ReadU8(n)) {
            return LogoError::kTruncated;
        }
        if (n == 0) {
            continue;
        }
        const std::uint64_t usedBytes = m_pLogoData.size() * sizeof(WORD) + 4 * n + 2;
        if (usedBytes > runStoreBytes) {
            return LogoError::kRunStoreOverflow;
        }
        if (!reader.Has(4 * std::size_t{n})) {
            return LogoError::kTruncated;
        }
        rowStarts[i] = m_pLogoData.size();
        std::int32_t previousEnd = -1;
        for (int k = 0; k < n; ++k) {
            WORD start = 0;
            WORD end = 0;
            reader.ReadU16(start);
            reader.ReadU16(end);
            const std::int32_t xs = static_cast<std::int16_t>(start);
            const std::int32_t xe = static_cast<std::int16_t>(end);
            if (xs < 0 || xe < 0 || xs >= A || xe >= A) {
                return LogoError::kRunOutOfRange;
            }
            if (xe < xs) {
                return LogoError::kRunReversed;
            }
            if (xs <= previousEnd) {
                return LogoError::kRunsOutOfOrder;
            }
            previousEnd = xe;
            m_pLogoData.push_back(start);
            m_pLogoData.push_back(end);
        }
        m_pLogoData.push_back(kEndMark);
    }

    // A logo without a covered unit would play as a black intro.
    if (m_pLogoData.empty()) {
        return LogoError::kEmptyLogo;
    }
    m_ppRows.assign(B, nullptr);
    for (WORD i = 0; i < B; ++i) {
        if (rowStarts[i] != kNoRuns) {
            m_ppRows[i] = m_pLogoData.data() + rowStarts[i];
        }
    }
    return LogoError::kNone;
}

const char* LogoErrorText(LogoError error) {
    switch (error) {
        case LogoError::kNone:
            return "no error";
        case LogoError::kMissing:
            return "missing";
        case LogoError::kUnreadable:
            return "unreadable";
        case LogoError::kNotRegularFile:
            return "not a regular file";
        case LogoError::kTruncated:
            return "ends before its last row";
        case LogoError::kEmptyLogo:
            return "empty logo (zero width or height, or no covered unit)";
        case LogoError::kSizeTooLarge:
            return "run store size too large";
        case LogoError::kRunStoreOverflow:
            return "runs do not fit into the run store size";
        case LogoError::kRunOutOfRange:
            return "run outside the logo";
        case LogoError::kRunReversed:
            return "run ends before it starts";
        case LogoError::kRunsOutOfOrder:
            return "runs out of order or overlapping";
        case LogoError::kImageTooLarge:
            return "logo too tall for the screen";
    }
    return "unknown error";
}
