// SPDX-License-Identifier: MIT
// The faces the pictures draw their text with, each named by the file that
// holds it. These are looked up by file only: where the file is missing, the
// face is missing, and no other font stands in for it.
#pragma once

#include <optional>

// One face: its family as fontconfig lists it, the file's path below a font
// folder, and the Debian package that installs it.
struct FaceFile {
    const char* name;
    const char* family;
    const char* file;
    const char* package;
};

// The file chosen for a face name (case-insensitive), weight and slant, or
// nothing for a face name the project chose no file for.
const FaceFile* ChosenFaceFile(const char* faceName, int weight, bool italic);

// The chosen face of a request when its file is not installed; nothing when
// it is, or when the face name is not one the project chose a file for.
std::optional<FaceFile> MissingFace(const char* faceName, int weight, bool italic);
