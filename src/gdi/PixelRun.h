// SPDX-License-Identifier: MIT
// The stores that runs of pixels end in: FillPixels sets a run to one value,
// InvertPixels flips the same bits in each, SetPixelBits sets them.
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
        // Plain stores, from the last pixel to the first: the runs here (a
        // ring's, a glyph's) are mostly one to three pixels, fewer than the
        // set-up of a vector loop costs.
        switch (count) {
            case 8:
                first[7] = value;
                [[fallthrough]];
            case 7:
                first[6] = value;
                [[fallthrough]];
            case 6:
                first[5] = value;
                [[fallthrough]];
            case 5:
                first[4] = value;
                [[fallthrough]];
            case 4:
                first[3] = value;
                [[fallthrough]];
            case 3:
                first[2] = value;
                [[fallthrough]];
            case 2:
                first[1] = value;
                [[fallthrough]];
            case 1:
                first[0] = value;
                [[fallthrough]];
            default:
                return;
        }
    }
    std::wmemset(reinterpret_cast<wchar_t*>(first), static_cast<wchar_t>(value), count);
}

// Eight pixels a step with nothing else in the loop: the compiler makes one
// vector operation of each step at the build's optimisation, where a loop of
// one pixel a step stays scalar.
template <class Change>
inline void ChangePixels(std::uint32_t* first, std::size_t count, Change change) {
    constexpr std::size_t kStep = 8;
    std::size_t i = 0;
    for (; i + kStep <= count; i += kStep) {
        for (std::size_t k = 0; k < kStep; ++k) {
            change(first[i + k]);
        }
    }
    for (; i < count; ++i) {
        change(first[i]);
    }
}

inline void InvertPixels(std::uint32_t* first, std::size_t count, std::uint32_t mask) {
    ChangePixels(first, count, [mask](std::uint32_t& pixel) { pixel ^= mask; });
}

inline void SetPixelBits(std::uint32_t* first, std::size_t count, std::uint32_t bits) {
    ChangePixels(first, count, [bits](std::uint32_t& pixel) { pixel |= bits; });
}
