// SPDX-License-Identifier: MIT
// The off-screen image of the zoom and the box-filter scaler that draws the
// logo into it: each image pixel gets the fraction of its logo units that lie
// in runs, times 128 (the ramp's full entry).
#pragma once

#include <span>
#include <vector>

#include "gdi/GdiTypes.h"
#include "intro/LogoFile.h"

// Where the logo goes in the image, in single precision, in the rasterizer's order.
struct TargetRect {
    float top;
    float left;
    float bottom;
    float right;
};

class LogoRasterizer {
public:
    // An 8-bit bottom-up image of width x height pixels for the logo, which
    // must outlive the rasterizer.
    LogoRasterizer(const LogoFile& logo, int width, int height);

    // Every pixel back to 0 (black).
    void Clear();
    // Draws the logo scaled to the target rectangle with coverage
    // anti-aliasing and returns its integer extent. Pixels outside the
    // logo's runs and outside the image are not touched.
    RECT Draw(const TargetRect& target);

    int Width() const { return m_rcImage.right; }
    int Height() const { return m_rcImage.bottom; }
    std::span<const BYTE> Pixels() const { return m_pixels; }

private:
    const LogoFile& m_logo;
    RECT m_rcImage;
    std::vector<BYTE> m_pixels;
    // Column c covers the logo units E[c] + 1 to E[c + 1].
    std::vector<WORD> m_columnEdges;
    // Covered units per column of the output row being drawn.
    std::vector<DWORD> m_coverage;
};
