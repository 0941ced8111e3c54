// SPDX-License-Identifier: MIT
#include "testwindow/PictureFaces.h"

#include <algorithm>
#include <array>

#include "gdi/GdiObjects.h"
#include "intro/Intro.h"
#include "testwindow/Strings.h"
#include "testwindow/TestWnd.h"

namespace {

constexpr int kReadabilityPicture = 5;
constexpr int kCompositePicture = 12;

constexpr FaceRequest kReadabilityFaces[] = {{kReadabilityFace, kReadabilityWeight, false},
                                             {kReadabilityFace, kReadabilityWeight, true}};
// The test card's labels and caption use the context's default font.
constexpr FaceRequest kCompositeFaces[] = {{kSystemFontName, CFont::kDefaultWeight, false}};
constexpr FaceRequest kIntroFaces[] = {{CIntro::kTitleFace, CIntro::kTitleWeight, false}};

bool SameFace(const FaceFile& a, const FaceFile& b) {
    return std::string_view(a.file) == b.file;
}

void NoteMissing(std::span<const FaceRequest> requests, int picture,
                 std::vector<MissingFaceUse>& uses) {
    for (const FaceRequest& request : requests) {
        const auto face = MissingFace(request.faceName, request.weight, request.italic);
        if (!face) {
            continue;
        }
        auto use = std::ranges::find_if(
            uses, [&](const MissingFaceUse& known) { return SameFace(known.face, *face); });
        if (use == uses.end()) {
            use = uses.insert(uses.end(), MissingFaceUse{*face, {}, false});
        }
        if (picture < 0) {
            use->intro = true;
        } else if (std::ranges::find(use->pictures, picture) == use->pictures.end()) {
            use->pictures.push_back(picture);
        }
    }
}

}  // namespace

std::span<const FaceRequest> FacesOfPicture(int picture) {
    switch (picture) {
        case kReadabilityPicture:
            return kReadabilityFaces;
        case kCompositePicture:
            return kCompositeFaces;
        default:
            return {};
    }
}

std::span<const FaceRequest> FacesOfIntro() {
    return kIntroFaces;
}

std::vector<MissingFaceUse> FindMissingFaces() {
    std::vector<MissingFaceUse> uses;
    NoteMissing(FacesOfIntro(), -1, uses);
    for (int picture = 0; picture < CTestWnd::kPictureCount; ++picture) {
        NoteMissing(FacesOfPicture(picture), picture, uses);
    }
    return uses;
}

std::optional<FaceFile> FirstMissingFace(int picture, bool intro) {
    std::vector<MissingFaceUse> uses;
    if (intro) {
        NoteMissing(FacesOfIntro(), -1, uses);
    }
    NoteMissing(FacesOfPicture(picture), picture, uses);
    if (uses.empty()) {
        return std::nullopt;
    }
    return uses.front().face;
}

std::string DescribeMissingFace(const MissingFaceUse& use) {
    std::string text = std::string("font face ") + use.face.name + " (" + use.face.file +
                       ", package " + use.face.package + ") is not installed";
    std::string what;
    if (use.intro) {
        what = "the intro";
    }
    for (const int picture : use.pictures) {
        what += (what.empty() ? "" : ", ") + std::string("picture ") + std::to_string(picture) +
                " " + kPictureNames[static_cast<std::size_t>(picture)];
    }
    if (!what.empty()) {
        text += "; not drawn exactly: " + what;
    }
    return text;
}
