// SPDX-License-Identifier: MIT
#include "pictures/composite/ModeCaption.h"

#include "pictures/composite/CompositePicture.h"

namespace {

std::uint64_t ColorCount(int nBitsPerPixel) {
    if (nBitsPerPixel < 0 || nBitsPerPixel > 63) {
        return 0;
    }
    return std::uint64_t{1} << nBitsPerPixel;
}

}  // namespace

std::string FormatModeCaption(std::uint32_t nWidth, std::uint32_t nHeight, int nBitsPerPixel,
                              int nRefreshRate) {
    std::string caption;
    caption += std::to_string(nWidth) + " x " + std::to_string(nHeight) + " pixels, ";
    caption += std::to_string(nBitsPerPixel) + " bit (" +
               std::to_string(ColorCount(nBitsPerPixel)) + " colors), ";
    caption += std::to_string(nRefreshRate) + " Hz";
    return caption;
}

std::string CCompositePicture::ModeCaption(CDC* pDC) const {
    return FormatModeCaption(m_nWidth, m_nHeight, pDC->GetDeviceCaps(BITSPIXEL), m_nRefreshRate);
}

void CCompositePicture::DrawModeCaption(CDC* pDC) {
    RECT band;
    GetCellBand(&band, 3, 7, 1, false);
    pDC->FillRect(&band, m_brBlack);

    const std::string caption = ModeCaption(pDC);

    pDC->SetBkColor(Nearest(kBlack));
    pDC->SetTextColor(Nearest(kWhite));
    pDC->DrawText(caption.c_str(), static_cast<int>(caption.size()), &band, kTextFormat);
}
