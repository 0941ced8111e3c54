// SPDX-License-Identifier: MIT
// The program's strings: the picture names (list order = picture index) and
// the test window's title. UTF-8.
#pragma once

#include <array>

inline constexpr std::array kPictureNames = {
    "Miskonvergenz1",      "Miskonvergenz2", "Geometrie",    "Focus", "Auflösung",
    "Lesbarkeit",          "Moire",          "Farbverläufe", "Farbe", "Helligkeitsverteilung",
    "Helligkeit/Kontrast", "Hochspannung",   "Testbild",
};

inline constexpr const char* kTestWindowTitle = "ZYN Monitor Test Window";
