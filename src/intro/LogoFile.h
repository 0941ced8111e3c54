// SPDX-License-Identifier: MIT
// The logo data file: S (u32), A (u16), B (u16), then B row records of a count
// n (u8) and n runs of a signed 16-bit start and end, all little-endian. The
// reader checks every count, size and coordinate before it is used, so a
// damaged file is rejected instead of read past, and keeps the runs in the
// run store the rasterizer walks.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "gdi/GdiTypes.h"

enum class LogoError {
    kNone,
    kMissing,           // no file of that name
    kUnreadable,        // a file that cannot be opened or read
    kNotRegularFile,    // a folder, FIFO, device or socket: refused without reading
    kTruncated,         // the file ends before its last row record
    kEmptyLogo,         // A = 0, B = 0, or no row has a run
    kSizeTooLarge,      // S asks for a run store beyond kMaxBlockSize
    kRunStoreOverflow,  // the runs and end marks do not fit into S + 2 bytes
    kRunOutOfRange,     // a run coordinate outside 0..A-1
    kRunReversed,       // a run whose end is below its start
    kRunsOutOfOrder,    // runs of a row out of order or overlapping
    kImageTooLarge,     // the off-screen image would exceed kMaxBlockSize
};

// A short name for each load error, for messages.
const char* LogoErrorText(LogoError error);

class LogoFile {
public:
    // No block the logo file asks for may be larger than this.
    static constexpr std::uint64_t kMaxBlockSize = std::uint64_t{64} << 20;
    // The largest file that can hold 65535 rows of 255 runs; bytes past it
    // would lie behind the last row record and are never read.
    static constexpr std::uint64_t kMaxFileSize = 8 + 65535 * (1 + 4 * 255);
    // Ends the runs of a row in the run store.
    static constexpr WORD kEndMark = 0xFFFF;

    LogoFile() = default;
    // The rows point into the run data, which a copy would not carry along.
    LogoFile(const LogoFile&) = delete;
    LogoFile& operator=(const LogoFile&) = delete;

    // Reads the file at path (a null path is unreadable), a regular file only,
    // never blocking on what it names. On an error the store is left empty.
    LogoError Read(const char* path);
    // The same for a file's contents held in memory.
    LogoError Parse(std::span<const BYTE> file);

    // One pointer per logo row, to its runs followed by kEndMark, or null
    // for a row without runs.
    std::span<const WORD* const> Rows() const { return m_ppRows; }
    std::span<const WORD> RunData() const { return m_pLogoData; }
    // (0, 0, A, B): the logo's extent in logo units.
    const RECT& Rect() const { return m_rcLogo; }
    // B / A.
    double Aspect() const { return m_dLogoAspect; }

private:
    LogoError ParseRows(std::span<const BYTE> file);

    std::vector<const WORD*> m_ppRows;
    std::vector<WORD> m_pLogoData;
    RECT m_rcLogo{0, 0, 0, 0};
    double m_dLogoAspect = 0.0;
};
