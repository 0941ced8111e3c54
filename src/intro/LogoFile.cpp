// Reading the logo data file into the run store, and the off-screen image and
// work buffers that the zoom draws with.
//
// File: S (u32), A (u16), B (u16), then B row records of a count n (u8) and n
// runs of a signed 16-bit start and end, all little-endian. The run store
// keeps, per row with runs, its runs followed by an end mark; a row without
// runs has a null pointer. Every count, size and coordinate is checked before
// it is used, so a damaged file is rejected instead of read past.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "intro/Intro.h"

namespace {

constexpr std::int32_t kPixelsPerMeter = 11811;
constexpr DWORD kColorsUsed = 129;
constexpr std::size_t kPaletteTableBytes = 256 * sizeof(WORD);
constexpr std::size_t kRgbTableBytes = 256 * sizeof(RGBQUAD);

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

bool ReadFileBytes(const char* path, std::vector<BYTE>& bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path, "rb"), std::fclose);
    if (file == nullptr) {
        return false;
    }
    bytes.clear();
    BYTE chunk[1 << 16];
    while (bytes.size() < CIntro::kMaxFileSize) {
        const std::size_t want = static_cast<std::size_t>(
            std::min<std::uint64_t>(sizeof chunk, CIntro::kMaxFileSize - bytes.size()));
        const std::size_t got = std::fread(chunk, 1, want, file.get());
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < want) {
            break;
        }
    }
    return std::ferror(file.get()) == 0;
}

}  // namespace

bool CIntro::LoadLogo(const char* path) {
    std::vector<BYTE> file;
    if (path == nullptr || !ReadFileBytes(path, file)) {
        m_nLoadError = LogoError::kUnreadable;
        return false;
    }
    return LoadLogo(file);
}

bool CIntro::LoadLogo(std::span<const BYTE> file) {
    m_ppRows.clear();
    m_pLogoData.clear();
    m_pPixels.clear();
    m_pBitmapInfo.clear();
    m_pColumnEdges.clear();
    m_pCoverage.clear();
    m_nImageSize = 0;
    m_nLoadError = ParseLogo(file);
    if (m_nLoadError == LogoError::kNone) {
        m_nLoadError = PrepareImage();
    }
    return m_nLoadError == LogoError::kNone ? true : false;
}

CIntro::LogoError CIntro::ParseLogo(std::span<const BYTE> file) {
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

    m_ppRows.assign(B, nullptr);
    for (WORD i = 0; i < B; ++i) {
        if (rowStarts[i] != kNoRuns) {
            m_ppRows[i] = m_pLogoData.data() + rowStarts[i];
        }
    }
    return LogoError::kNone;
}

CIntro::LogoError CIntro::PrepareImage() {
    // Two thirds of the screen plus a margin, in whole 32-bit words per row.
    const std::int64_t width = ((std::int64_t{2} * m_nScreenWidth) / 3 + 16 + 3) / 4 * 4;
    if (width <= 0) {
        return LogoError::kImageTooLarge;
    }
    const double exactHeight = static_cast<double>(width) * m_dLogoAspect;
    if (exactHeight * static_cast<double>(width) > static_cast<double>(kMaxBlockSize)) {
        return LogoError::kImageTooLarge;
    }
    const auto height = static_cast<std::int64_t>(exactHeight);
    m_rcImage = {0, 0, static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
    m_nImageSize = static_cast<DWORD>(width * height);
    m_pPixels.assign(m_nImageSize, 0);

    m_pBitmapInfo.assign(
        sizeof(BITMAPINFOHEADER) + (m_bPaletteMode ? kPaletteTableBytes : kRgbTableBytes), 0);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = m_rcImage.right;
    header.biHeight = m_rcImage.bottom;
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = BI_RGB;
    header.biSizeImage = m_nImageSize;
    header.biXPelsPerMeter = kPixelsPerMeter;
    header.biYPelsPerMeter = kPixelsPerMeter;
    header.biClrUsed = kColorsUsed;
    header.biClrImportant = kColorsUsed;
    std::memcpy(m_pBitmapInfo.data(), &header, sizeof header);

    m_pColumnEdges.assign(static_cast<std::size_t>(width), 0);
    m_pCoverage.assign(static_cast<std::size_t>(width), 0);
    return LogoError::kNone;
}

const char* LogoErrorText(CIntro::LogoError error) {
    switch (error) {
        case CIntro::LogoError::kNone:
            return "no error";
        case CIntro::LogoError::kUnreadable:
            return "missing or unreadable";
        case CIntro::LogoError::kTruncated:
            return "ends before its last row";
        case CIntro::LogoError::kEmptyLogo:
            return "zero width or height";
        case CIntro::LogoError::kSizeTooLarge:
            return "run store size too large";
        case CIntro::LogoError::kRunStoreOverflow:
            return "runs do not fit into the run store size";
        case CIntro::LogoError::kRunOutOfRange:
            return "run outside the logo";
        case CIntro::LogoError::kRunReversed:
            return "run ends before it starts";
        case CIntro::LogoError::kRunsOutOfOrder:
            return "runs out of order or overlapping";
        case CIntro::LogoError::kImageTooLarge:
            return "logo too tall for the screen";
    }
    return "unknown error";
}
