// SPDX-License-Identifier: MIT
// The caption line of the test card: screen size, colour depth with its
// number of colours, refresh rate.
#pragma once

#include <cstdint>
#include <string>

// "1024 x 768 pixels, 16 bit (65536 colors), 60 Hz". Every number in full;
// the colour count is 2 to the power of the depth, as a 64-bit number
// (a depth outside 0..63 has no such count and shows 0 colours).
std::string FormatModeCaption(std::uint32_t nWidth, std::uint32_t nHeight, int nBitsPerPixel,
                              int nRefreshRate);
