// SPDX-License-Identifier: MIT
#include <array>
#include <cstdint>

#include "testwindow/PictureFaces.h"
#include "testwindow/TestWnd.h"

namespace {

// Font height and row pitch h by resolution level.
constexpr std::array<int, 3> kReadabilityHeight = {15, 11, 9};

constexpr char kSampleSentence[] = "ZYN Clear Picture Company.";
constexpr int kSampleLength = 26;
static_assert(sizeof kSampleSentence - 1 == kSampleLength);

constexpr std::uint64_t kStyleCount = 3;
constexpr std::uint64_t kInvertedStyle = 1;
constexpr std::uint64_t kItalicStyle = 2;

void CreateSmallFont(CFont& font, int h, BYTE italic) {
    font.CreateFont(h, 0, 0, 0, kReadabilityWeight, italic, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                    kReadabilityFace);
}

}  // namespace

void CTestWnd::DrawReadability(CDC* pDC) {
    const int h = kReadabilityHeight[m_nResolution];
    const int W = m_nScreenWidth;
    const int H = m_nScreenHeight;

    CBrush whiteBrush(0xFFFFFF);
    const RECT screen{0, 0, W, H};
    pDC->FillRect(&screen, &whiteBrush);

    pDC->SetBkColor(0xFFFFFF);

    CFont italicFont;
    CFont uprightFont;
    CreateSmallFont(italicFont, h, 1);
    CreateSmallFont(uprightFont, h, 0);
    CFont* pOldFont = pDC->SelectObject(&uprightFont);
    pDC->SetTextColor(0x000000);

    int y = 0;
    std::uint64_t row = 0;
    do {
        pDC->MoveTo(0, y);
        pDC->SetTextAlign(TA_UPDATECP | TA_LEFT | TA_TOP);
        // 64 bits, so that a wrapping variant count still shifts by one style.
        std::uint64_t k = row + m_nVariant;
        int left = 0;
        int right = 0;
        do {
            k = k % kStyleCount;
            pDC->SelectObject(k == kItalicStyle ? &italicFont : &uprightFont);
            pDC->TextOut(left, y, kSampleSentence, kSampleLength);
            right = pDC->GetCurrentPosition().x;
            if (k == kInvertedStyle) {
                const RECT band{left, y, right, y + h};
                pDC->InvertRect(&band);
            }
            // Without a usable font the position stands still: the row ends.
            if (right <= left) {
                break;
            }
            left = right;
            k = k + 1;
        } while (right < W);
        y = y + h;
        row = row + 1;
    } while (y < H);

    pDC->SelectObject(pOldFont);
}
