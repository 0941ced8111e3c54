// SPDX-License-Identifier: MIT
#include "gdi/FontFaces.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "gdi/FontLibrary.h"
#include "gdi/GdiObjects.h"

namespace {

// Weights from this value on ask for a bold face.
constexpr int kBoldWeight = 600;

// The files of a face name by style: regular, bold, italic, bold italic.
struct ChosenFamily {
    std::string_view faceName;
    FaceFile styles[4];
};

constexpr FaceFile kDejaVuSans[4] = {
    {"DejaVu Sans", "DejaVu Sans", "dejavu/DejaVuSans.ttf", "fonts-dejavu-core"},
    {"DejaVu Sans Bold", "DejaVu Sans", "dejavu/DejaVuSans-Bold.ttf", "fonts-dejavu-core"},
    {"DejaVu Sans Oblique", "DejaVu Sans", "dejavu/DejaVuSans-Oblique.ttf", "fonts-dejavu-extra"},
    {"DejaVu Sans Bold Oblique", "DejaVu Sans", "dejavu/DejaVuSans-BoldOblique.ttf",
     "fonts-dejavu-extra"},
};

constexpr ChosenFamily kChosenFamilies[] = {
    // The same metrics as the face asked for.
    {"Arial",
     {{"Liberation Sans", "Liberation Sans", "liberation2/LiberationSans-Regular.ttf",
       "fonts-liberation2"},
      {"Liberation Sans Bold", "Liberation Sans", "liberation2/LiberationSans-Bold.ttf",
       "fonts-liberation2"},
      {"Liberation Sans Italic", "Liberation Sans", "liberation2/LiberationSans-Italic.ttf",
       "fonts-liberation2"},
      {"Liberation Sans Bold Italic", "Liberation Sans",
       "liberation2/LiberationSans-BoldItalic.ttf", "fonts-liberation2"}}},
    // Carefully hinted: the clearest sans at 9 to 15 pixels.
    {"Small Fonts", {kDejaVuSans[0], kDejaVuSans[1], kDejaVuSans[2], kDejaVuSans[3]}},
    {kSystemFontName, {kDejaVuSans[0], kDejaVuSans[1], kDejaVuSans[2], kDejaVuSans[3]}},
};

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

const FaceFile* ChosenFaceFile(const char* faceName, int weight, bool italic) {
    const std::string_view name = faceName != nullptr ? faceName : "";
    for (const ChosenFamily& family : kChosenFamilies) {
        if (EqualIgnoringCase(name, family.faceName)) {
            return &family.styles[(weight >= kBoldWeight ? 1 : 0) + (italic ? 2 : 0)];
        }
    }
    return nullptr;
}

std::optional<FaceFile> MissingFace(const char* faceName, int weight, bool italic) {
    // FW_DONTCARE (0) takes the regular face, as a created font does.
    const FaceFile* face = ChosenFaceFile(faceName, weight, italic);
    if (face == nullptr || FontLibrary::Shared().FindFile(*face)) {
        return std::nullopt;
    }
    return *face;
}
