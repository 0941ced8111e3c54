// SPDX-License-Identifier: MIT
// CTestWnd: the full-screen test window's state, input handling, timer and
// render frame. It draws into a CDC and reaches its real window only through
// ITestWndHost, so it runs the same in the desktop program, the headless
// renderer and the tests.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gdi/CDC.h"
#include "intro/LogoFile.h"
#include "testwindow/Keyboard.h"
#include "testwindow/TestWndHost.h"
#include "testwindow/TestWndListener.h"

class CIntro;

class CTestWnd {
public:
    static constexpr int kPictureCount = 13;
    static constexpr unsigned kTimerPeriodMs = 750;
    static constexpr BYTE kHighVoltagePicture = 11;
    static constexpr const char* kRefusalMessage =
        "This test picture isn't available in the current color depth.";

    // The display facts are read once, here: screen size and bits per pixel.
    CTestWnd(ITestWndHost& host, int screenWidth, int screenHeight, int bitsPerPixel);
    ~CTestWnd();

    void SetPicture(BYTE index);
    void SetResolution(BYTE level);
    void SetColor(COLORREF color);

    void OnLButtonDown();
    void OnRButtonDown();
    void OnTimer();
    // While the intro runs a key goes to it; once the panel is hidden the
    // keys step through the pictures (see Keyboard.h).
    void OnKeyDown(TestWndKey key = TestWndKey::kOther);
    // The first paint plays the intro; while it runs, each paint is one of
    // its steps and clicks and keys go to it.
    void OnPaint(CDC* pDC);
    void RenderPicture(CDC* pDC);

    // The panel registers itself here and clears it again when it goes.
    void SetPanel(IPanel* panel);
    IPanel* Panel() const { return m_pPanel; }
    bool IsPanelShown() const { return m_pPanel != nullptr && m_pPanel->IsWindowVisible(); }
    // Shows the panel and the cursor, or hides them and raises the test
    // window (the panel's full-screen operation), as a left click does when
    // the panel is hidden or shown; nothing without a panel or when it is
    // already so.
    void ShowPanel(bool show);
    // Told after each change (null: nobody); the listener outlives its
    // registration or is told when the test window goes.
    void SetListener(ITestWndListener* listener) { m_pListener = listener; }
    // The caption of the refusal message (the program's name).
    void SetAppName(const char* name) { m_pszAppName = name; }
    // The refresh rate the display reports, or 0 where it reports none.
    void SetRefreshRate(int hz) { m_nRefreshRate = hz; }
    // The intro's logo file; empty (the default): no intro, and no file is
    // read. Takes effect on the first paint.
    void SetLogoPath(std::string path) { m_strLogoPath = std::move(path); }
    bool IsIntroRunning() const { return m_pIntro != nullptr; }
    // Why the logo file was not played, from the first paint on: kNone when
    // it loaded or none was set, kMissing when there is no such file (the
    // intro is then left out as intended), any other value a refused file.
    LogoError GetLogoError() const { return m_nLogoError; }
    // One line naming a refused logo file and the reason, for the user;
    // empty when the logo loaded, none was set or the file does not exist.
    std::string LogoRefusal() const;

    // The state the pictures are drawn from, for the panel, the renderer and
    // the tests.
    BYTE Picture() const { return m_nPicture; }
    BYTE Resolution() const { return m_nResolution; }
    COLORREF Color() const { return m_crColor; }
    std::uint32_t Variant() const { return m_nVariant; }
    std::uint32_t Ticks() const { return m_nTicks; }
    bool IsPaletteMode() const { return m_bPaletteMode; }
    // A state to draw as it is, without the steps that lead there (the
    // renderer's --variant and --ticks); neither repaints.
    void SetVariant(std::uint32_t variant) { m_nVariant = variant; }
    void SetTicks(std::uint32_t ticks) { m_nTicks = ticks; }

    // Minimum number of display colours per picture.
    static constexpr auto kMinColors =
        std::to_array<std::uint16_t>({2, 2, 2, 2, 2, 2, 256, 16, 2, 16, 2, 16, 16});
    static_assert(kMinColors.size() == kPictureCount);

    // Pattern primitives shared by several pictures.
    struct GridLines {
        std::vector<int> columns;  // every vertical line, borders included
        std::vector<int> rows;     // every horizontal line, borders included
    };
    // Where a cell grid's lines lie (none for a grid that draws nothing).
    static GridLines CellGridLines(const RECT* pRect, int nColumns, int nRows);
    // Draws the full-screen grid and returns where its lines lie.
    GridLines DrawGrid(CDC* pDC, int nColumns);
    void DrawCellGrid(CDC* pDC, const RECT* pRect, int nColumns, int nRows);
    static RECT CircleBox(int x, int y, int nRadius);
    void DrawCircle(CDC* pDC, int x, int y, int nRadius, bool bRings);
    // The same pixels as DrawCircle with the black brush, where the circle's
    // box holds only black and the grid's lines: only the lines' pixels
    // inside are filled, then the circle is drawn hollow.
    void DrawCircleOverGrid(CDC* pDC, const GridLines& grid, int x, int y, int nRadius,
                            bool bRings);
    void DrawDot(CDC* pDC, int x, int y);

    // The thirteen pictures, in picture order.
    void DrawMisconvergence1(CDC* pDC);
    void DrawMisconvergence2(CDC* pDC);
    void DrawGeometry(CDC* pDC);
    void DrawFocus(CDC* pDC);
    void DrawResolution(CDC* pDC);
    void DrawReadability(CDC* pDC);
    void DrawMoire(CDC* pDC);
    void DrawColorGradients(CDC* pDC);
    void DrawColorBars(CDC* pDC);
    void DrawBrightnessDistribution(CDC* pDC);
    void DrawBrightnessContrast(CDC* pDC);
    void DrawHighVoltage(CDC* pDC);
    void DrawComposite(CDC* pDC);

    // The colour of hue position t of the gradient picture (6.0 is one turn).
    COLORREF HueColor(double t) const;

private:
    void Changed();

    const int m_nScreenWidth;
    const int m_nScreenHeight;
    const double m_dAspect;
    const std::int16_t m_nBitsPerPixel;
    const bool m_bPaletteMode;
    // 2^bits; at 32 bits per pixel the largest value, above every minimum.
    const std::uint32_t m_nNumColors;

    BYTE m_nPicture = 0;
    BYTE m_nResolution = 1;
    COLORREF m_crColor = 0xFFFFFF;
    std::uint32_t m_nVariant = 0;
    std::uint32_t m_nTicks = 0;
    IPanel* m_pPanel = nullptr;
    ITestWndListener* m_pListener = nullptr;
    unsigned m_nTimerId = 0;
    bool m_bTimerActive = false;
    int m_nRefreshRate = 0;

    ITestWndHost& m_host;
    const char* m_pszAppName = "zynmon";
    // The refusal message has been shown for the current selection.
    bool m_bRefusalShown = false;
    bool m_bIntroPending = true;
    std::string m_strLogoPath;
    LogoError m_nLogoError = LogoError::kNone;
    std::unique_ptr<CIntro> m_pIntro;
};
