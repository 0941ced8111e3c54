// SPDX-License-Identifier: MIT
// The intro's animation: zoom, holds and text fades, stepped by the host.
#include "intro/Intro.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

constexpr BYTE kLogoRed = 40;
constexpr BYTE kLogoGreen = 66;
constexpr BYTE kLogoBlue = 132;
constexpr int kRampEntries = 129;
constexpr int kRampTop = 128;

constexpr double kZoomMs = 5000.0;
// A frame that advances the zoom by more than this jumps to its end.
constexpr double kCatchUpStep = 0.15;
// The easing's own constant, deliberately not pi: f stays just below 1 at t = 1.
constexpr double kEasingPi = 3.1415;

constexpr std::uint32_t kHoldAfterZoomMs = 1000;
constexpr std::uint32_t kHoldAfterTitleMs = 2500;
constexpr std::uint32_t kHoldAfterCreditsMs = 5000;
constexpr double kFadeMs = 1500.0;
// Fades redraw at about 60 frames a second.
constexpr std::uint32_t kFadeFrameMs = 16;

constexpr int kFontHeight = 16;
constexpr BYTE kProofQuality = 2;
constexpr int kTextGap = 8;
constexpr int kTextHeight = 16;
constexpr int kCredit1Offset = 32;
constexpr int kCredit2Offset = 16;
constexpr UINT kTextFormat = DT_RIGHT | DT_BOTTOM | DT_SINGLELINE;

constexpr const char* kTitle = "Zyn Monitor Test Program.";
constexpr const char* kCredit1 = "Testbilder f\xFCr R\xF6hren- und Flachbildschirme";
constexpr const char* kCredit2 = "Von den ZYN-Entwicklern, frei zu nutzen";

constexpr std::int32_t kPixelsPerMeter = 11811;
constexpr std::size_t kPaletteTableBytes = 256 * sizeof(WORD);
constexpr std::size_t kRgbTableBytes = 256 * sizeof(RGBQUAD);

constexpr PALETTEENTRY RampEntry(int i) {
    return {static_cast<BYTE>(kLogoRed * i / kRampTop),
            static_cast<BYTE>(kLogoGreen * i / kRampTop),
            static_cast<BYTE>(kLogoBlue * i / kRampTop), 0};
}

}  // namespace

ZoomFrame ZoomFrameAt(double t, int screenWidth, int screenHeight, double logoAspect) {
    const int R = screenWidth / 3;
    const int cx = screenWidth / 2;
    const int cy = screenHeight / 2;
    const double s = std::sin(t * kEasingPi / 2.0);
    const double f = s * s * 0.75 + 0.25;
    const int half = static_cast<int>(f * R);
    const int x0 = cx - half;
    const int x1 = cx + half;
    const double hh = logoAspect * half;
    const auto y0 = static_cast<float>(cy - hh);
    const auto y1 = static_cast<float>(cy + hh);
    const float top = std::floor(y0);
    ZoomFrame frame;
    frame.dest = {x0, static_cast<std::int32_t>(top), x1, static_cast<std::int32_t>(std::ceil(y1))};
    frame.target = {y0 - top, 0.0f, y1 - top, static_cast<float>(2 * half)};
    return frame;
}

std::vector<BYTE> MakeBitmapInfo(int width, int height, bool paletteMode) {
    std::vector<BYTE> info(
        sizeof(BITMAPINFOHEADER) + (paletteMode ? kPaletteTableBytes : kRgbTableBytes), 0);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height);
    header.biXPelsPerMeter = kPixelsPerMeter;
    header.biYPelsPerMeter = kPixelsPerMeter;
    header.biClrUsed = kRampEntries;
    header.biClrImportant = kRampEntries;
    std::memcpy(info.data(), &header, sizeof header);

    BYTE* table = info.data() + sizeof(BITMAPINFOHEADER);
    for (int i = 0; i < kRampEntries; ++i) {
        if (paletteMode) {
            const WORD index = static_cast<WORD>(i);
            std::memcpy(table + i * sizeof index, &index, sizeof index);
        } else {
            const PALETTEENTRY entry = RampEntry(i);
            const RGBQUAD quad{entry.peBlue, entry.peGreen, entry.peRed, 0};
            std::memcpy(table + i * sizeof quad, &quad, sizeof quad);
        }
    }
    return info;
}

CIntro::CIntro(IIntroHost& host, bool bPaletteMode, int screenWidth, int screenHeight)
    : m_host(host),
      m_bPaletteMode(bPaletteMode),
      m_nScreenHeight(screenHeight),
      m_nScreenWidth(screenWidth) {}

CIntro::~CIntro() = default;

bool CIntro::LoadLogo(const char* path) {
    m_image.reset();
    m_nLoadError = m_logo.Read(path);
    if (m_nLoadError == LogoError::kNone) {
        m_nLoadError = PrepareImage();
    }
    return m_nLoadError == LogoError::kNone;
}

bool CIntro::LoadLogo(std::span<const BYTE> file) {
    m_image.reset();
    m_nLoadError = m_logo.Parse(file);
    if (m_nLoadError == LogoError::kNone) {
        m_nLoadError = PrepareImage();
    }
    return m_nLoadError == LogoError::kNone;
}

LogoError CIntro::PrepareImage() {
    // Two thirds of the screen plus a margin, in whole 32-bit words per row.
    const std::int64_t width = ((std::int64_t{2} * m_nScreenWidth) / 3 + 16 + 3) / 4 * 4;
    if (width <= 0) {
        return LogoError::kImageTooLarge;
    }
    const double exactHeight = static_cast<double>(width) * m_logo.Aspect();
    if (exactHeight * static_cast<double>(width) > static_cast<double>(LogoFile::kMaxBlockSize)) {
        return LogoError::kImageTooLarge;
    }
    const auto height = static_cast<int>(exactHeight);
    m_image.emplace(m_logo, static_cast<int>(width), height);
    m_pBitmapInfo = MakeBitmapInfo(static_cast<int>(width), height, m_bPaletteMode);
    return LogoError::kNone;
}

std::uint32_t CIntro::Elapsed() const {
    return m_host.GetTickCount() - m_nPhaseStart;
}

std::uint32_t CIntro::Remaining(std::uint32_t ms) const {
    return ms - std::min(Elapsed(), ms);
}

void CIntro::RequestStep(const RECT& rect, std::uint32_t delayMs) {
    m_host.InvalidateRectAfter(rect, delayMs);
}

void CIntro::OnInput(Input input) {
    if (m_phase == Phase::kDone) {
        return;
    }
    switch (input) {
        case Input::kLeftButton:
            ++m_nPendingLeft;
            break;
        case Input::kRightButton:
            ++m_nPendingRight;
            break;
        case Input::kKey:
            ++m_nPendingKeys;
            break;
    }
    // The zoom does not look at input; later phases end at the next step,
    // which then draws the picture over the whole screen.
    if (m_phase != Phase::kStart && m_phase != Phase::kZoom) {
        m_host.Invalidate();
    }
}

bool CIntro::CheckAbort() {
    for (std::uint32_t* pending : {&m_nPendingLeft, &m_nPendingRight, &m_nPendingKeys}) {
        if (*pending != 0) {
            --*pending;
            return true;
        }
    }
    return false;
}

CIntro::StepResult CIntro::Pause(std::uint32_t ms) {
    if (Elapsed() >= ms) {
        return StepResult::kDone;
    }
    return CheckAbort() ? StepResult::kSkipped : StepResult::kWaiting;
}

CIntro::StepResult CIntro::FadeInText(CDC* pDC, const char* text, const RECT& rect) {
    const double g = std::min(static_cast<double>(Elapsed()) / kFadeMs, 1.0);
    pDC->SetBkColor(RGB(0, 0, 0));
    if (m_bPaletteMode) {
        pDC->SetTextColor(PALETTEINDEX(static_cast<WORD>(g * kRampTop)));
    } else {
        pDC->SetTextColor(RGB(static_cast<BYTE>(kLogoRed * g), static_cast<BYTE>(kLogoGreen * g),
                              static_cast<BYTE>(kLogoBlue * g)));
    }
    CFont* pOldFont = pDC->SelectObject(m_pFont.get());
    RECT box = rect;
    pDC->DrawText(text, -1, &box, kTextFormat);
    pDC->SelectObject(pOldFont);
    if (CheckAbort()) {
        return StepResult::kSkipped;
    }
    return g >= 1.0 ? StepResult::kDone : StepResult::kWaiting;
}

void CIntro::SelectRamp(CDC* pDC) {
    if (m_palette.IsCreated() && !m_palette.IsSelected()) {
        m_pPreviousPalette = pDC->SelectPalette(&m_palette, false);
        pDC->RealizePalette();
    }
}

RECT CIntro::FinalLogoRect() const {
    return ZoomFrameAt(1.0, m_nScreenWidth, m_nScreenHeight, m_logo.Aspect()).dest;
}

void CIntro::DrawZoomFrame(CDC* pDC, double t) {
    const ZoomFrame frame = ZoomFrameAt(t, m_nScreenWidth, m_nScreenHeight, m_logo.Aspect());
    m_image->Clear();
    m_image->Draw(frame.target);
    const RECT& dest = frame.dest;
    if (dest.right <= dest.left || dest.bottom <= dest.top) {
        return;
    }
    pDC->SetDIBitsToDevice(dest.left, dest.top, static_cast<DWORD>(dest.right - dest.left),
                           static_cast<DWORD>(dest.bottom - dest.top), 0, 0, 0,
                           static_cast<UINT>(m_image->Height()), m_image->Pixels().data(),
                           m_pBitmapInfo.data(), m_bPaletteMode ? DIB_PAL_COLORS : DIB_RGB_COLORS);
}

void CIntro::EnterPhase(Phase phase) {
    m_phase = phase;
    m_nPhaseStart = m_host.GetTickCount();
}

bool CIntro::Play(CDC* pDC) {
    if (m_phase == Phase::kDone || !m_image) {
        return false;
    }
    if (m_phase == Phase::kStart) {
        m_host.ShowCursor(false);
        const RECT screen{0, 0, m_nScreenWidth, m_nScreenHeight};
        pDC->FillRect(&screen, GetStockBrush(BLACK_BRUSH));
        if (m_bPaletteMode) {
            std::array<PALETTEENTRY, kRampEntries> ramp;
            for (int i = 0; i < kRampEntries; ++i) {
                ramp[i] = RampEntry(i);
            }
            m_palette.CreatePalette(ramp);
        }
        EnterPhase(Phase::kZoom);
        m_dProgress = 0.0;
    }
    // The ramp palette is selected while the intro draws, and selected out
    // again before the step ends, as the context lives for one paint only.
    SelectRamp(pDC);
    CBrush* pOldBrush = pDC->SelectObject(GetStockBrush(BLACK_BRUSH));
    pDC->SetBkColor(RGB(0, 0, 0));

    RunPhases(pDC);

    pDC->SelectObject(pOldBrush);
    if (m_palette.IsSelected()) {
        pDC->SelectPalette(m_pPreviousPalette, false);
    }
    if (m_phase == Phase::kDone) {
        Finish();
        return false;
    }
    return true;
}

void CIntro::RunPhases(CDC* pDC) {
    const RECT screen{0, 0, m_nScreenWidth, m_nScreenHeight};
    const RECT rcFinal = FinalLogoRect();
    for (;;) {
        switch (m_phase) {
            case Phase::kStart:
            case Phase::kDone:
                return;
            case Phase::kZoom: {
                double t = static_cast<double>(Elapsed()) / kZoomMs;
                if (t > 1.0) {
                    t = 1.0;
                }
                if (t - m_dProgress > kCatchUpStep) {
                    t = 1.0;
                }
                DrawZoomFrame(pDC, t);
                m_dProgress = t;
                if (t < 1.0) {
                    // Every frame lies inside the final one.
                    RequestStep(rcFinal, 0);
                    return;
                }
                m_rcText = {rcFinal.left, rcFinal.bottom + kTextGap, rcFinal.right,
                            rcFinal.bottom + kTextGap + kTextHeight};
                EnterPhase(Phase::kHoldAfterZoom);
                break;
            }
            case Phase::kHoldAfterZoom:
                switch (Pause(kHoldAfterZoomMs)) {
                    case StepResult::kWaiting:
                        RequestStep(m_rcText, Remaining(kHoldAfterZoomMs));
                        return;
                    case StepResult::kSkipped:
                        m_phase = Phase::kDone;
                        return;
                    case StepResult::kDone:
                        m_pFont = std::make_unique<CFont>();
                        m_pFont->CreateFont(kFontHeight, 0, 0, 0, kTitleWeight, false, false, false,
                                            0, 0, 0, kProofQuality, 0, kTitleFace);
                        EnterPhase(Phase::kTitleFade);
                        break;
                }
                break;
            case Phase::kTitleFade:
            case Phase::kCredit1Fade:
            case Phase::kCredit2Fade: {
                const char* text = m_phase == Phase::kTitleFade     ? kTitle
                                   : m_phase == Phase::kCredit1Fade ? kCredit1
                                                                    : kCredit2;
                switch (FadeInText(pDC, text, m_rcText)) {
                    case StepResult::kWaiting:
                        RequestStep(m_rcText, kFadeFrameMs);
                        return;
                    case StepResult::kSkipped:
                        EndText();
                        return;
                    case StepResult::kDone:
                        if (m_phase == Phase::kTitleFade) {
                            EnterPhase(Phase::kHoldAfterTitle);
                        } else if (m_phase == Phase::kCredit1Fade) {
                            OffsetRect(&m_rcText, 0, kCredit2Offset);
                            EnterPhase(Phase::kCredit2Fade);
                        } else {
                            EnterPhase(Phase::kHoldAfterCredits);
                        }
                        break;
                }
                break;
            }
            case Phase::kHoldAfterTitle:
                switch (Pause(kHoldAfterTitleMs)) {
                    case StepResult::kWaiting: {
                        RECT next = m_rcText;
                        OffsetRect(&next, 0, kCredit1Offset);
                        RequestStep(next, Remaining(kHoldAfterTitleMs));
                        return;
                    }
                    case StepResult::kSkipped:
                        EndText();
                        return;
                    case StepResult::kDone:
                        OffsetRect(&m_rcText, 0, kCredit1Offset);
                        EnterPhase(Phase::kCredit1Fade);
                        break;
                }
                break;
            case Phase::kHoldAfterCredits:
                switch (Pause(kHoldAfterCreditsMs)) {
                    case StepResult::kWaiting:
                        // The step after this hold draws the picture.
                        RequestStep(screen, Remaining(kHoldAfterCreditsMs));
                        return;
                    case StepResult::kSkipped:
                    case StepResult::kDone:
                        EndText();
                        return;
                }
                break;
        }
    }
}

void CIntro::EndText() {
    m_pFont.reset();
    m_phase = Phase::kDone;
}

void CIntro::Finish() {
    m_host.ShowCursor(true);
    // Left clicks that arrived during the intro are dropped; other input stays.
    m_nPendingLeft = 0;
}
