// SPDX-License-Identifier: MIT
// CIntro: the intro of the test window's first paint. It zooms the logo up in
// the middle of the black screen with anti-aliased edges, then fades a title
// line and two credit lines in below it. A click or key skips the rest.
//
// The animation is a state machine. The owner calls Play with each paint's
// drawing context; every call draws what the current phase needs at the
// host's tick count and asks the host for the next call
// (IIntroHost::InvalidateRectAfter): at once during the zoom, at the
// deadline during holds, at a steady rate during fades. Skip inputs reach the
// intro through OnInput; they are only looked at once the zoom is over.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "gdi/CDC.h"
#include "gdi/GdiObjects.h"
#include "gdi/GdiTypes.h"
#include "intro/IntroHost.h"
#include "intro/LogoFile.h"
#include "intro/LogoRasterizer.h"

// Where one zoom frame goes on the screen and where the logo lies in it.
struct ZoomFrame {
    RECT dest;
    TargetRect target;
};

// The zoom frame at progress t (0..1) on a screen of width x height for a
// logo of the given aspect (B / A).
ZoomFrame ZoomFrameAt(double t, int screenWidth, int screenHeight, double logoAspect);

// The off-screen image's bitmap header and colour table (the ramp, as
// palette indices in palette mode, as RGB quads otherwise).
std::vector<BYTE> MakeBitmapInfo(int width, int height, bool paletteMode);

class CIntro {
public:
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

    // The face and weight of the title and credit lines.
    static constexpr const char* kTitleFace = "Arial";
    static constexpr int kTitleWeight = FW_NORMAL;

    CIntro(IIntroHost& host, bool bPaletteMode, int screenWidth, int screenHeight);
    ~CIntro();
    CIntro(const CIntro&) = delete;
    CIntro& operator=(const CIntro&) = delete;

    // Reads the logo file and prepares the image. false when the file is
    // missing, unreadable or rejected (GetLoadError says why).
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

    // Clears the image, rasterizes the logo at progress t and blits the frame.
    void DrawZoomFrame(CDC* pDC, double t);
    // The image the zoom draws into; only after LoadLogo returned true.
    const LogoRasterizer& Image() const { return *m_image; }

private:
    enum class StepResult { kWaiting, kDone, kSkipped };

    LogoError PrepareImage();
    void RunPhases(CDC* pDC);
    void EnterPhase(Phase phase);
    StepResult FadeInText(CDC* pDC, const char* text, const RECT& rect);
    StepResult Pause(std::uint32_t ms);
    bool CheckAbort();
    void EndText();
    void Finish();
    void SelectRamp(CDC* pDC);
    void RequestStep(const RECT& rect, std::uint32_t delayMs);
    std::uint32_t Elapsed() const;
    std::uint32_t Remaining(std::uint32_t ms) const;
    RECT FinalLogoRect() const;

    IIntroHost& m_host;
    bool m_bPaletteMode;
    int m_nScreenHeight;
    int m_nScreenWidth;
    LogoFile m_logo;
    std::optional<LogoRasterizer> m_image;
    std::vector<BYTE> m_pBitmapInfo;
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
