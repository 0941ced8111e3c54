// CIntro: the intro of the test window's first paint. It reads the logo data
// file, zooms the logo up in the middle of the black screen with anti-aliased
// edges, then fades a title line and two credit lines in below it. A click or
// key skips the rest.
//
// The animation is a state machine. The owner calls Play with each paint's
// drawing context; every call draws what the current phase needs at the
// host's tick count and asks the host for the next call
// (ITestWndHost::InvalidateRectAfter): at once during the zoom, at the
// deadline during holds, at a steady rate during fades. Skip inputs reach the
// intro through OnInput; they are only looked at once the zoom is over.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "gdi/CDC.h"
#include "gdi/GdiObjects.h"
#include "gdi/GdiTypes.h"
#include "testwindow/TestWndHost.h"

class CIntro {
public:
    // No block the logo file asks for may be larger than this.
    static constexpr std::uint64_t kMaxBlockSize = std::uint64_t{64} << 20;
    // The largest file that can hold 65535 rows of 255 runs; bytes past it
    // would lie behind the last row record and are never read.
    static constexpr std::uint64_t kMaxFileSize = 8 + 65535 * (1 + 4 * 255);
    // Ends the runs of a row in the run store.
    static constexpr WORD kEndMark = 0xFFFF;

    enum class LogoError {
        kNone,
        kUnreadable,        // missing or unreadable file
        kTruncated,         // the file ends before its last row record
        kEmptyLogo,         // A = 0 or B = 0
        kSizeTooLarge,      // S asks for a run store beyond kMaxBlockSize
        kRunStoreOverflow,  // the runs and end marks do not fit into S + 2 bytes
        kRunOutOfRange,     // a run coordinate outside 0..A-1
        kRunReversed,       // a run whose end is below its start
        kRunsOutOfOrder,    // runs of a row out of order or overlapping
        kImageTooLarge,     // the off-screen image would exceed kMaxBlockSize
    };
    enum class Input { kLeftButton, kRightButton, kKey };
    enum class Phase {
        kStart,
        kZoom,
        kHoldAfterZoom,
        kTitleFade,
        kHoldAfterTitle,
        kCredit1Fade,
        kCredit2Fade,
        kHoldAfterCredits,
        kDone,
    };
    // What one step of a timed phase found.
    enum class StepResult { kWaiting, kDone, kSkipped };

    // The rasterizer's target rectangle in single precision, in its order.
    struct TargetRect {
        float top;
        float left;
        float bottom;
        float right;
    };
    // Where one zoom frame goes on the screen and where the logo lies in it.
    struct ZoomFrame {
        RECT dest;
        TargetRect target;
    };

    CIntro(ITestWndHost& host, bool bPaletteMode, int screenWidth, int screenHeight);
    ~CIntro();
    CIntro(const CIntro&) = delete;
    CIntro& operator=(const CIntro&) = delete;

    // Reads the logo file and prepares the image and buffers. false when the
    // file is missing, unreadable or rejected (GetLoadError says why).
    bool LoadLogo(const char* path);
    // The same for a file's contents held in memory.
    bool LoadLogo(std::span<const BYTE> file);
    LogoError GetLoadError() const { return m_nLoadError; }

    // One step of the intro; true while it runs, false once it has ended (the
    // cursor is shown again). Only after LoadLogo returned true.
    bool Play(CDC* pDC);
    // A click or key for the test window while the intro runs.
    void OnInput(Input input);
    // Right clicks that arrived during the intro without skipping it; the test
    // window handles them once the intro has ended.
    std::uint32_t PendingRightClicks() const { return m_nPendingRight; }
    Phase GetPhase() const { return m_phase; }

    void PrepareColors(CDC* pDC);
    void ClearImage();
    // Draws the logo (rows of runs, rcLogo = (0, 0, A, B)) scaled to the target
    // rectangle into the 8-bit bottom-up image of extent rcImage, with coverage
    // anti-aliasing: a pixel's value is the covered fraction times 128. Writes
    // the integer extent to pOut. Nothing outside the spans is touched.
    static void RasterizeLogo(std::span<const WORD* const> rows, std::span<BYTE> image,
                              const RECT& rcLogo, const TargetRect& target, RECT* pOut,
                              const RECT& rcImage, std::span<WORD> columnEdges,
                              std::span<DWORD> coverage);
    StepResult FadeInText(CDC* pDC, const char* text, const RECT& rect);
    StepResult Pause(std::uint32_t ms);
    bool CheckAbort();

    // The geometry of the zoom frame at progress t (0..1).
    ZoomFrame GetZoomFrame(double t) const;
    // Clears the image, rasterizes the logo at progress t and blits the frame.
    void DrawZoomFrame(CDC* pDC, double t);

    int ImageWidth() const { return m_rcImage.right; }
    int ImageHeight() const { return m_rcImage.bottom; }
    DWORD ImageSize() const { return m_nImageSize; }
    std::span<const BYTE> Pixels() const { return m_pPixels; }
    std::span<const BYTE> BitmapInfo() const { return m_pBitmapInfo; }
    std::span<const WORD* const> Rows() const { return m_ppRows; }
    std::span<const WORD> RunData() const { return m_pLogoData; }
    const RECT& LogoRect() const { return m_rcLogo; }
    double LogoAspect() const { return m_dLogoAspect; }
    std::size_t ColumnEdgeCount() const { return m_pColumnEdges.size(); }
    std::size_t CoverageCount() const { return m_pCoverage.size(); }
    // The logo's rectangle on the screen once the zoom is over.
    RECT FinalLogoRect() const { return GetZoomFrame(1.0).dest; }
    const RECT& TextBox() const { return m_rcText; }

private:
    LogoError ParseLogo(std::span<const BYTE> file);
    LogoError PrepareImage();
    void RunPhases(CDC* pDC);
    void EnterPhase(Phase phase);
    void EndText();
    void Finish();
    void SelectRamp(CDC* pDC);
    void RequestStep(const RECT& rect, std::uint32_t delayMs);
    std::uint32_t Elapsed() const;
    std::uint32_t Remaining(std::uint32_t ms) const;

    ITestWndHost& m_host;
    bool m_bPaletteMode;
    int m_nScreenHeight;
    int m_nScreenWidth;
    std::vector<const WORD*> m_ppRows;
    DWORD m_nImageSize = 0;
    std::vector<WORD> m_pLogoData;
    std::vector<BYTE> m_pPixels;
    std::vector<BYTE> m_pBitmapInfo;
    double m_dLogoAspect = 0.0;
    RECT m_rcLogo{0, 0, 0, 0};
    RECT m_rcImage{0, 0, 0, 0};
    std::vector<WORD> m_pColumnEdges;
    std::vector<DWORD> m_pCoverage;
    LogoError m_nLoadError = LogoError::kUnreadable;

    // The animation's state between steps.
    Phase m_phase = Phase::kStart;
    std::uint32_t m_nPhaseStart = 0;
    double m_dProgress = 0.0;
    RECT m_rcText{0, 0, 0, 0};
    CPalette m_palette;
    CPalette* m_pPreviousPalette = nullptr;
    std::unique_ptr<CFont> m_pFont;
    std::uint32_t m_nPendingLeft = 0;
    std::uint32_t m_nPendingRight = 0;
    std::uint32_t m_nPendingKeys = 0;
};

// A short name for each load error, for messages.
const char* LogoErrorText(CIntro::LogoError error);
