// SPDX-License-Identifier: MIT
#include <algorithm>
#include <cctype>
#include <string_view>

#include "gdi/FontLibrary.h"
#include "gdi/GdiObjects.h"

namespace {

// Face names the pictures ask for, and the family that stands in for each.
struct FaceSubstitute {
    std::string_view faceName;
    const char* family;
};
constexpr FaceSubstitute kFaceSubstitutes[] = {
    {"Arial", "Liberation Sans"},    // the same metrics
    {"Small Fonts", "DejaVu Sans"},  // carefully hinted: the clearest sans at 9 to 15 pixels
    {kSystemFontName, "DejaVu Sans"},
};

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::string FamilyFor(const char* faceName) {
    const std::string_view name = faceName != nullptr ? faceName : "";
    for (const FaceSubstitute& substitute : kFaceSubstitutes) {
        if (EqualIgnoringCase(name, substitute.faceName)) {
            return substitute.family;
        }
    }
    // Other names go to fontconfig as they are; its own aliases apply.
    return std::string(name);
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
    const auto match = library.Resolve(FamilyFor(faceName),
                                       weight == FW_DONTCARE ? FW_NORMAL : weight, italic != 0);
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
