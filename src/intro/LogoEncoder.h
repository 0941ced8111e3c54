// SPDX-License-Identifier: MIT
// Turning a one-bit picture into the logo data file's bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gdi/GdiTypes.h"

// The largest logo the file format holds: run coordinates are signed 16-bit,
// the row count unsigned 16-bit.
inline constexpr int kMaxLogoWidth = 32767;
inline constexpr int kMaxLogoHeight = 65535;

// One flag per logo unit, row by row from the top: non-zero = covered.
struct LogoBitmap {
    int width = 0;
    int height = 0;
    std::vector<BYTE> units;
};

// The file for the bitmap: a run per stretch of covered units, S the exact
// size of the run store. Nothing, with a one-line reason, when the bitmap does
// not fit the format (width 1..32767, height 1..65535, 255 runs a row) or
// covers no unit (an empty logo, which would play as a black intro).
std::optional<std::vector<BYTE>> EncodeLogo(const LogoBitmap& bitmap, std::string& error);
