// Helpers shared by the unit tests: paint a picture through the real render
// frame and read the screen back.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gdi/CDC.h"
#include "gdi/Surface.h"
#include "testwindow/RecordingHost.h"
#include "testwindow/TestWnd.h"

struct Screen {
    Screen(int width, int height, int bitsPerPixel = 32)
        : surface(width, height, bitsPerPixel), wnd(host, width, height, bitsPerPixel) {}

    // One paint of the current state through OnPaint, as the window would do it.
    void Paint() {
        CDC dc(surface);
        wnd.OnPaint(&dc);
    }
    // Selects picture, level, colour and counters, then paints.
    void Paint(int picture, int resolution = 1, COLORREF color = 0xFFFFFF,
               std::uint32_t variant = 0, std::uint32_t ticks = 0) {
        wnd.SetPicture(static_cast<BYTE>(picture));
        wnd.SetResolution(static_cast<BYTE>(resolution));
        wnd.SetColor(color);
        wnd.m_nVariant = variant;
        wnd.m_nTicks = ticks;
        Paint();
    }
    COLORREF At(int x, int y) const { return surface.PixelColor(x, y); }
    bool Lit(int x, int y) const { return At(x, y) != 0; }

    // Coordinates along a row (or column) where the colour differs from black.
    std::vector<int> LitColumnsInRow(int y) const;
    std::vector<int> LitRowsInColumn(int x) const;
    // Number of distinct colours on the screen.
    std::size_t DistinctColors() const;

    Surface surface;
    RecordingHost host;
    CTestWnd wnd;
};

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kBlue = 0xFF0000;
