// SPDX-License-Identifier: MIT
// The stores that runs of pixels end in: FillPixels sets a run to one value,
// InvertPixels flips the same bits in each.
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

// Counted by size_t with nothing else in the loop, so that the compiler
// turns it into vector operations.
inline void InvertPixels(std::uint32_t* first, std::size_t count, std::uint32_t mask) {
    for (std::size_t i = 0; i < count; ++i) {
        first[i] ^= mask;
    }
}
