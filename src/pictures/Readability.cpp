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

// Whether the fonts the rows write with, the one selected and pItalic, have
// cells at least h high and a sentence that moves the current position on:
// then the sentences' opaque cells cover each row's band whole. A font that
// was not created leaves the one before, as it does in the rows.
bool CellsCoverBands(CDC* pDC, CFont* pItalic, int h) {
    auto covers = [&] {
        const SIZE extent = pDC->GetTextExtent(kSampleSentence, kSampleLength);
        return extent.cx > 0 && extent.cy >= h;
    };
    const bool upright = covers();
    CFont* pSelected = pDC->SelectObject(pItalic);
    const bool italic = covers();
    pDC->SelectObject(pSelected);
    return upright && italic;
}

}  // namespace

void CTestWnd::DrawReadability(CDC* pDC) {
    const int h = kReadabilityHeight[m_nResolution];
    const int W = m_nScreenWidth;
    const int H = m_nScreenHeight;

    CBrush whiteBrush(0xFFFFFF);
    pDC->SetBkColor(0xFFFFFF);

    CFont italicFont;
    CFont uprightFont;
    CreateSmallFont(italicFont, h, 1);
    CreateSmallFont(uprightFont, h, 0);
    CFont* pOldFont = pDC->SelectObject(&uprightFont);
    pDC->SetTextColor(0x000000);

    // The sentences' opaque white cells turn the screen white, a row's band
    // at a time, without a fill of their own: the same pixels as one fill
    // first, since each pixel of a band is first covered by the white cell of
    // one of the band's sentences before anything of the band reads or keeps
    // it, and whatever rows above left in the band is covered with it. Fonts
    // with lower cells leave a strip that only a fill whitens: then the
    // screen is filled first.
    if (!CellsCoverBands(pDC, &italicFont, h)) {
        const RECT screen{0, 0, W, H};
        pDC->FillRect(&screen, &whiteBrush);
    }

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
