// SPDX-License-Identifier: MIT
// The control panel's template and constant tables, and the small pieces of
// arithmetic the dialog does with them. No toolkit dependency, so the tables
// and formulas are tested without a display.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "gdi/GdiTypes.h"
#include "testwindow/TestWnd.h"

namespace panel {

constexpr int kPictureCount = CTestWnd::kPictureCount;

// Control ids.
constexpr int kIdPictureList = 1000;
constexpr int kIdStatic = -1;
constexpr int kIdRed = 1014;
constexpr int kIdGreen = 1016;
constexpr int kIdBlue = 1017;
constexpr int kIdHigh = 1018;
constexpr int kIdMedium = 1019;
constexpr int kIdLow = 1020;
constexpr int kIdColorGroup = 1021;
constexpr int kIdResolutionGroup = 1022;
constexpr int kIdFullScreen = 1023;

enum class ControlKind { DropDownList, PictureButton, GroupBox, CheckBox, RadioButton, PushButton };

// One control of the template: position and size in dialog units.
struct ControlTemplate {
    int id;
    ControlKind kind;
    int x, y, w, h;
    std::string_view text;
};

constexpr std::string_view kCaption = "ZYN Monitor Test Kontrollfeld";
constexpr int kDialogWidthDu = 170;
constexpr int kDialogHeightDu = 106;
constexpr int kFontPoints = 8;

// Template order, which is also the tab order. Texts are UTF-8.
constexpr std::array<ControlTemplate, 24> kControls = {{
    {kIdPictureList, ControlKind::DropDownList, 10, 17, 90, 64, ""},
    {1001, ControlKind::PictureButton, 10, 35, 15, 15, "TP1"},
    {1003, ControlKind::PictureButton, 25, 35, 15, 15, "TP2"},
    {1004, ControlKind::PictureButton, 40, 35, 15, 15, "TP3"},
    {1005, ControlKind::PictureButton, 55, 35, 15, 15, "TP4"},
    {1006, ControlKind::PictureButton, 70, 35, 15, 15, "TP5"},
    {1007, ControlKind::PictureButton, 85, 35, 15, 15, "TP6"},
    {1008, ControlKind::PictureButton, 10, 50, 15, 15, "TP7"},
    {1009, ControlKind::PictureButton, 25, 50, 15, 15, "TP8"},
    {1010, ControlKind::PictureButton, 40, 50, 15, 15, "TP9"},
    {1011, ControlKind::PictureButton, 55, 50, 15, 15, "TP10"},
    {1012, ControlKind::PictureButton, 70, 50, 15, 15, "TP11"},
    {1013, ControlKind::PictureButton, 85, 50, 15, 15, "TP12"},
    {1015, ControlKind::PictureButton, 10, 65, 15, 15, "TP13"},
    {kIdStatic, ControlKind::GroupBox, 5, 6, 105, 94, "Testbild"},
    {kIdColorGroup, ControlKind::GroupBox, 115, 5, 45, 45, "Farbe"},
    {kIdRed, ControlKind::CheckBox, 120, 15, 25, 10, "Rot"},
    {kIdGreen, ControlKind::CheckBox, 120, 25, 30, 10, "Grün"},
    {kIdBlue, ControlKind::CheckBox, 120, 35, 30, 10, "Blau"},
    {kIdResolutionGroup, ControlKind::GroupBox, 115, 55, 45, 45, "Auflösung"},
    {kIdHigh, ControlKind::RadioButton, 120, 65, 35, 10, "Hoch"},
    {kIdMedium, ControlKind::RadioButton, 120, 75, 35, 10, "Mittel"},
    {kIdLow, ControlKind::RadioButton, 120, 85, 35, 10, "Niedrig"},
    {kIdFullScreen, ControlKind::PushButton, 50, 80, 50, 14, "Volles Bild"},
}};

// Picture order 0..12.
constexpr auto kPictureButtonIds =
    std::to_array({1001, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1015});
constexpr auto kListStringIds = std::to_array({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
constexpr auto kResolutionGroupTable = std::to_array<BYTE>({1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0});
constexpr auto kColorGroupTable = std::to_array<BYTE>({0, 1, 1, 1, 1, 0, 1, 0, 0, 1, 0, 0, 0});
static_assert(kPictureButtonIds.size() == kPictureCount);
static_assert(kListStringIds.size() == kPictureCount);
static_assert(kResolutionGroupTable.size() == kPictureCount);
static_assert(kColorGroupTable.size() == kPictureCount);

// Each group is enabled or disabled as a whole, its box included.
constexpr std::array<int, 4> kResolutionGroupIds = {kIdResolutionGroup, kIdHigh, kIdMedium, kIdLow};
constexpr std::array<int, 4> kColorGroupIds = {kIdColorGroup, kIdRed, kIdGreen, kIdBlue};

// The picture index of a picture button, or -1 for any other id.
constexpr int PictureOfButton(int id) {
    for (int i = 0; i < kPictureCount; ++i) {
        if (kPictureButtonIds[i] == id) {
            return i;
        }
    }
    return -1;
}

// The resolution level of a radio button ("Hoch" 2, "Mittel" 1, "Niedrig" 0),
// or -1 for any other id.
constexpr int ResolutionOfRadio(int id) {
    switch (id) {
        case kIdHigh:
            return 2;
        case kIdMedium:
            return 1;
        case kIdLow:
            return 0;
        default:
            return -1;
    }
}

// The gun colour of the three check boxes; none checked counts as all three.
constexpr COLORREF GunColor(bool red, bool green, bool blue) {
    unsigned r = red ? 0xFF : 0;
    unsigned g = green ? 0xFF : 0;
    unsigned b = blue ? 0xFF : 0;
    if (r == 0 && g == 0 && b == 0) {
        r = g = b = 0xFF;
    }
    return r | g << 8 | b << 16;
}

// Dialog base units: the dialog font's average character width (of the 52
// letters, rounded) and its character height, in pixels.
struct BaseUnits {
    int x;
    int y;
};

constexpr BaseUnits BaseUnitsOf(int widthOfAlphabet, int charHeight) {
    return {(widthOfAlphabet / 26 + 1) / 2, charHeight};
}

// a * b / c rounded half away from zero, as dialog-unit conversion rounds.
constexpr int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

// A rectangle in dialog units converted to pixels: x and widths in quarters of
// the base width, y and heights in eighths of the base height.
constexpr RECT DialogToPixels(int x, int y, int w, int h, BaseUnits base) {
    const int left = MulDiv(x, base.x, 4);
    const int top = MulDiv(y, base.y, 8);
    return {left, top, left + MulDiv(w, base.x, 4), top + MulDiv(h, base.y, 8)};
}

// The panel's top-left corner: screen centre minus half the client size,
// halves taken as unsigned shifts.
constexpr POINT CentredOrigin(int screenWidth, int screenHeight, int clientWidth,
                              int clientHeight) {
    auto half = [](int v) { return static_cast<int>(static_cast<unsigned>(v) >> 1); };
    return {half(screenWidth) - half(clientWidth), half(screenHeight) - half(clientHeight)};
}

}  // namespace panel
