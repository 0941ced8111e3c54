// The control panel's tables and formulas, without a display.
#include <gtest/gtest.h>

#include "panel/PanelTemplate.h"

namespace {

// Control ids to pictures and levels; check boxes to gun colours (none or
// all checked: white).
TEST(PanelTemplate, ControlsMapToTheirSettings) {
    constexpr struct {
        int id, picture, level;
    } kIds[] = {{1001, 0, -1},  {1003, 1, -1},  {1013, 11, -1}, {1015, 12, -1}, {1002, -1, -1},
                {1014, -1, -1}, {1023, -1, -1}, {-1, -1, -1},   {1018, -1, 2},  {1019, -1, 1},
                {1020, -1, 0},  {1017, -1, -1}, {1021, -1, -1}};
    for (const auto& c : kIds) {
        EXPECT_EQ(panel::PictureOfButton(c.id), c.picture) << c.id;
        EXPECT_EQ(panel::ResolutionOfRadio(c.id), c.level) << c.id;
    }
    constexpr struct {
        bool r, g, b;
        COLORREF color;
    } kGuns[] = {{false, false, false, 0xFFFFFF}, {true, true, true, 0xFFFFFF},
                 {false, true, false, 0x00FF00},  {true, false, true, 0xFF00FF},
                 {true, false, false, 0x0000FF},  {false, false, true, 0xFF0000}};
    for (const auto& c : kGuns) {
        EXPECT_EQ(panel::GunColor(c.r, c.g, c.b), c.color);
    }
}

// Dialog units: base units from the alphabet's width (halves up), x in
// quarters and y in eighths of them, rounded half away from zero; the panel
// centred on the screen by halving both sizes.
TEST(PanelTemplate, DialogUnitsAndCentring) {
    EXPECT_EQ(panel::BaseUnitsOf(312, 13).x, 6);
    EXPECT_EQ(panel::BaseUnitsOf(338, 15).x, 7);
    EXPECT_EQ(panel::BaseUnitsOf(337, 15).x, 6);
    EXPECT_EQ(panel::DialogToPixels(0, 0, 170, 106, {6, 13}), (RECT{0, 0, 255, 172}));
    EXPECT_EQ(panel::DialogToPixels(50, 80, 50, 14, {6, 13}), (RECT{75, 130, 150, 153}));
    EXPECT_EQ(panel::DialogToPixels(115, 55, 45, 45, {7, 15}), (RECT{201, 103, 280, 187}));
    EXPECT_EQ(panel::MulDiv(-5, 13, 2), -33);
    EXPECT_EQ(panel::CentredOrigin(1920, 1080, 298, 172), (POINT{811, 454}));
    EXPECT_EQ(panel::CentredOrigin(1025, 769, 1, 1), (POINT{512, 384}));
    EXPECT_EQ(panel::CentredOrigin(200, 100, 300, 300), (POINT{-50, -100}));
}

}  // namespace
