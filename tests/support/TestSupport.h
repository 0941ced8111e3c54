// SPDX-License-Identifier: MIT
// Helpers shared by the unit tests: paint a picture through the real render
// frame and scan the screen it leaves.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "gdi/CDC.h"
#include "gdi/Surface.h"
#include "testwindow/RecordingHost.h"
#include "testwindow/TestWnd.h"

struct Screen {
    Screen(int width, int height, int bitsPerPixel = 32)
        : surface(width, height, bitsPerPixel), wnd(host, width, height, bitsPerPixel) {}
    // A screen painted once, as by Paint below.
    Screen(int width, int height, int bitsPerPixel, int picture, int resolution = 1,
           COLORREF color = 0xFFFFFF, std::uint32_t variant = 0, std::uint32_t ticks = 0)
        : Screen(width, height, bitsPerPixel) {
        Paint(picture, resolution, color, variant, ticks);
    }

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
        wnd.SetVariant(variant);
        wnd.SetTicks(ticks);
        Paint();
    }
    operator const Surface&() const { return surface; }  // scan a screen as its surface
    COLORREF At(int x, int y) const { return surface.PixelColor(x, y); }

    Surface surface;
    RecordingHost host;
    CTestWnd wnd;
};

// The colours along row y or column x, in order.
std::vector<COLORREF> Row(const Surface& surface, int y);
std::vector<COLORREF> Column(const Surface& surface, int x);
// The places along a line of pixels that are not black.
std::vector<int> LitAt(const std::vector<COLORREF>& line);
// The runs of one colour along a line of pixels: where each starts, its colour.
using Runs = std::vector<std::pair<int, COLORREF>>;
Runs RunsOf(const std::vector<COLORREF>& line);
// How many pixels of the surface show each colour.
std::map<COLORREF, std::size_t> ColorCounts(const Surface& surface);
// Bounding box of the pixels inside window that are not black; (0, 0, 0, 0) if none.
RECT LitBounds(const Surface& surface, const RECT& window);
// Every pixel of r (clipped to the surface) shows colour c.
bool IsFilled(const Surface& surface, const RECT& r, COLORREF c);
// Both surfaces show the same colours everywhere.
bool SamePixels(const Surface& a, const Surface& b);

std::ostream& operator<<(std::ostream& os, const RECT& r);

// Runs a shell command with its stderr joined to its stdout; returns the exit
// status (-1 when it did not exit) and appends what it printed to output.
int RunCommand(const std::string& command, std::string& output);
// The bytes of the file at path (none where it cannot be read).
std::vector<BYTE> ReadFile(const std::string& path);

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kGray = 0x808080;

// A panel without a window: it chooses through the test window's setters, as
// the real one does, and keeps what it shows and the guns it checked.
struct FakePanel : IPanel {
    FakePanel(ITestWndHost& host, CTestWnd& wnd) : host(host), wnd(wnd) {}
    bool IsWindowVisible() const override { return visible; }
    void ShowWindow(bool show) override { visible = show; }
    void BringWindowToTop() override { ++raised; }
    void OnFullScreen() override {
        visible = false;
        host.BringWindowToTop();
        host.ShowCursor(false);
    }
    void SelectPicture(int picture) override { wnd.SetPicture(static_cast<BYTE>(picture)); }
    void SelectResolution(int level) override { wnd.SetResolution(static_cast<BYTE>(level)); }
    void SelectGuns(bool r, bool g, bool b) override {
        checked = {r, g, b};
        wnd.SetColor(r || g || b ? (r ? kRed : 0) | (g ? kGreen : 0) | (b ? kBlue : 0) : kWhite);
    }
    ITestWndHost& host;
    CTestWnd& wnd;
    bool visible = true;
    int raised = 0;
    std::tuple<bool, bool, bool> checked{};
};
