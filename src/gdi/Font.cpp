// SPDX-License-Identifier: MIT
#include "gdi/FontFaces.h"
#include "gdi/FontLibrary.h"
#include "gdi/GdiObjects.h"

namespace {

int EffectiveWeight(int weight) {
    return weight == FW_DONTCARE ? FW_NORMAL : weight;
}

}  // namespace

CFont::CFont() = default;
CFont::~CFont() = default;

bool CFont::CreateFont(int height, int /*width*/, int /*escapement*/, int /*orientation*/,
                       int weight, BYTE italic, BYTE /*underline*/, BYTE /*strikeOut*/,
                       BYTE /*charSet*/, BYTE /*outPrecision*/, BYTE /*clipPrecision*/,
                       BYTE /*quality*/, BYTE /*pitchAndFamily*/, const char* faceName) {
    m_pFace.reset();
    FontLibrary& library = FontLibrary::Shared();
    weight = EffectiveWeight(weight);
    // A chosen face comes from its own file or not at all; other names go to
    // fontconfig as they are, so that its own aliases apply.
    const FaceFile* chosen = ChosenFaceFile(faceName, weight, italic != 0);
    const auto match = chosen != nullptr ? library.FindFile(*chosen)
                                         : library.Resolve(faceName != nullptr ? faceName : "",
                                                           weight, italic != 0);
    if (!match) {
        return false;
    }
    auto glyphs = library.Load(*match, height == 0 ? kDefaultHeight : height);
    if (!glyphs) {
        return false;
    }
    m_pFace = std::make_unique<FontFace>(FontFace{std::move(glyphs)});
    return true;
}

std::string CFont::FilePath() const {
    return m_pFace ? m_pFace->glyphs->FilePath() : std::string();
}

int CFont::CellHeight() const {
    return m_pFace ? m_pFace->glyphs->CellHeight() : 0;
}
