// SPDX-License-Identifier: MIT
// The test window's paint: the intro on the first paints, then the picture.
#include "intro/Intro.h"
#include "testwindow/TestWnd.h"

void CTestWnd::OnPaint(CDC* pDC) {
    const bool firstPaint = m_bIntroPending;
    if (firstPaint) {
        // The intro runs at most once per process, whether or not it loads.
        m_bIntroPending = false;
        auto intro =
            std::make_unique<CIntro>(m_host, m_bPaletteMode, m_nScreenWidth, m_nScreenHeight);
        if (!m_strLogoPath.empty()) {
            if (intro->LoadLogo(m_strLogoPath.c_str())) {
                m_pIntro = std::move(intro);
            } else {
                m_nLogoError = intro->GetLoadError();
            }
        }
    }
    if (m_pIntro == nullptr) {
        RenderPicture(pDC);
        if (firstPaint) {
            m_host.OnIntroEnded();
        }
        return;
    }
    if (m_pIntro->Play(pDC)) {
        return;
    }

    // The intro has ended: the picture follows at once. A step may have been
    // painted for part of the window only; the picture needs all of it.
    const std::uint32_t rightClicks = m_pIntro->PendingRightClicks();
    m_pIntro.reset();
    const RECT screen{0, 0, m_nScreenWidth, m_nScreenHeight};
    RECT visible;
    IntersectRect(&visible, &screen, &pDC->ClipRect());
    if (visible != screen) {
        m_host.Invalidate();
    }
    RenderPicture(pDC);
    m_host.OnIntroEnded();
    // Right clicks that did not skip the intro step the variant as usual.
    if (rightClicks != 0) {
        m_nVariant += rightClicks;
        m_host.Invalidate();
        Changed();
    }
}

std::string CTestWnd::LogoRefusal() const {
    if (m_nLogoError == LogoError::kNone || m_nLogoError == LogoError::kMissing) {
        return {};
    }
    return "logo file " + m_strLogoPath + ": " + LogoErrorText(m_nLogoError) +
           "; the intro is left out";
}
