// SPDX-License-Identifier: MIT
// Which font faces the pictures and the intro draw their text with, and what a
// missing face keeps from being drawn exactly. A face is missing when its
// file is not installed (gdi/FontFaces.h); its text is then left out.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gdi/FontFaces.h"
#include "gdi/GdiTypes.h"

// The readability picture's face and weight, upright and italic.
inline constexpr const char* kReadabilityFace = "Small Fonts";
inline constexpr int kReadabilityWeight = FW_NORMAL;

struct FaceRequest {
    const char* faceName;
    int weight;
    bool italic;
};

// The faces a picture (0..kPictureCount-1) draws with; none for most.
std::span<const FaceRequest> FacesOfPicture(int picture);
// The faces of the intro's title and credit lines.
std::span<const FaceRequest> FacesOfIntro();

// A face whose file is not installed, and what cannot be drawn exactly
// without it: the pictures (by index) and whether the intro is one of them.
struct MissingFaceUse {
    FaceFile face;
    std::vector<int> pictures;
    bool intro = false;
};

// Every chosen face that is missing, each once; empty when all are installed.
std::vector<MissingFaceUse> FindMissingFaces();

// The first face that picture needs (or, with `intro`, the intro before it)
// and that is missing; nothing when all are there.
std::optional<FaceFile> FirstMissingFace(int picture, bool intro);

// One line for a user: the face, its file and package, and what it keeps from
// being drawn exactly (picture names as the panel lists them).
std::string DescribeMissingFace(const MissingFaceUse& use);
