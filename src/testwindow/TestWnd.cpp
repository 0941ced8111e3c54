// SPDX-License-Identifier: MIT
#include "testwindow/TestWnd.h"

#include "intro/Intro.h"

namespace {

std::uint32_t NumColors(int bitsPerPixel) {
    // 2^32 does not fit: at 32 bits the count stays above every minimum.
    return bitsPerPixel >= 32 ? UINT32_MAX : (std::uint32_t{1} << bitsPerPixel);
}

}  // namespace

CTestWnd::CTestWnd(ITestWndHost& host, int screenWidth, int screenHeight, int bitsPerPixel)
    : m_nScreenWidth(screenWidth),
      m_nScreenHeight(screenHeight),
      m_dAspect(static_cast<double>(screenHeight) / static_cast<double>(screenWidth)),
      m_nBitsPerPixel(static_cast<std::int16_t>(bitsPerPixel)),
      m_bPaletteMode(bitsPerPixel <= 8),
      m_nNumColors(NumColors(bitsPerPixel)),
      m_host(host) {}

CTestWnd::~CTestWnd() {
    if (m_pListener != nullptr) {
        m_pListener->OnTestWndGone();
    }
}

void CTestWnd::Changed() {
    if (m_pListener != nullptr) {
        m_pListener->OnTestWndChanged();
    }
}

void CTestWnd::SetPanel(IPanel* panel) {
    m_pPanel = panel;
    Changed();
}

void CTestWnd::SetPicture(BYTE index) {
    if (index == m_nPicture || index >= kPictureCount) {
        return;
    }
    if (m_bTimerActive) {
        m_host.KillTimer(m_nTimerId);
        m_bTimerActive = false;
    }
    m_nPicture = index;
    m_nVariant = 0;
    m_nTicks = 0;
    m_bRefusalShown = false;
    m_host.Invalidate();
    if (index == kHighVoltagePicture) {
        m_nTimerId = m_host.SetTimer(0, kTimerPeriodMs);
        m_bTimerActive = true;
    }
    Changed();
}

void CTestWnd::SetResolution(BYTE level) {
    if (level != m_nResolution && level <= 2) {
        m_nResolution = level;
        m_host.Invalidate();
        Changed();
    }
}

void CTestWnd::SetColor(COLORREF color) {
    if (color != m_crColor) {
        m_crColor = color;
        m_host.Invalidate();
        Changed();
    }
}

void CTestWnd::OnLButtonDown() {
    if (m_pIntro != nullptr) {
        m_pIntro->OnInput(CIntro::Input::kLeftButton);
        return;
    }
    if (m_pPanel != nullptr) {
        ShowPanel(!m_pPanel->IsWindowVisible());
    }
}

void CTestWnd::ShowPanel(bool show) {
    if (m_pPanel == nullptr || m_pPanel->IsWindowVisible() == show) {
        return;
    }
    if (show) {
        m_pPanel->ShowWindow(true);
        m_pPanel->BringWindowToTop();
        m_host.ShowCursor(true);
    } else {
        m_pPanel->OnFullScreen();
    }
    Changed();
}

void CTestWnd::OnRButtonDown() {
    if (m_pIntro != nullptr) {
        m_pIntro->OnInput(CIntro::Input::kRightButton);
        return;
    }
    ++m_nVariant;
    m_host.Invalidate();
    Changed();
}

void CTestWnd::OnTimer() {
    if (m_bTimerActive) {
        ++m_nTicks;
        m_host.Invalidate();
    }
}

void CTestWnd::OnKeyDown(TestWndKey key) {
    if (m_pIntro != nullptr) {
        m_pIntro->OnInput(CIntro::Input::kKey);
        return;
    }
    // With the panel up the keys belong to the panel.
    if (m_pPanel == nullptr || m_pPanel->IsWindowVisible()) {
        return;
    }
    const KeyAction action = ActionOfKey(key);
    if (action == KeyAction::kNextVariant) {
        OnRButtonDown();
    } else if (action == KeyAction::kShowPanel) {
        OnLButtonDown();
    } else if (const int picture = PictureAfter(action, m_nPicture, kPictureCount); picture >= 0) {
        // Chosen through the panel, so that its list and option groups follow.
        m_pPanel->SelectPicture(picture);
    }
}
