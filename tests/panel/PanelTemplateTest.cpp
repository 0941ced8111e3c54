// The control panel's tables and formulas, without a display.
#include <gtest/gtest.h>

#include <set>

#include "panel/PanelTemplate.h"

namespace {

using panel::BaseUnits;

TEST(PanelTables, GroupsFollowThePictureTable) {
    // Resolution group, colour group: enabled (1) or disabled (0) per picture.
    constexpr int kExpected[13][2] = {{1, 0}, {1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 0}, {1, 1},
                                      {0, 0}, {0, 0}, {0, 1}, {0, 0}, {0, 0}, {0, 0}};
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(panel::kResolutionGroupTable[i], kExpected[i][0]) << i;
        EXPECT_EQ(panel::kColorGroupTable[i], kExpected[i][1]) << i;
    }
}

TEST(PanelTables, GroupsHoldTheirBoxAndButtons) {
    EXPECT_EQ(panel::kResolutionGroupIds, (std::array<int, 4>{1022, 1018, 1019, 1020}));
    EXPECT_EQ(panel::kColorGroupIds, (std::array<int, 4>{1021, 1014, 1016, 1017}));
}

TEST(PanelTables, PictureButtonsMapToPictures) {
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(panel::PictureOfButton(panel::kPictureButtonIds[i]), i);
        EXPECT_EQ(panel::kListStringIds[i], i + 1);
    }
    // 1002 and 1014 sit in the id range but are no picture buttons.
    for (int id : {1000, 1002, 1014, 1016, 1023, 0, -1}) {
        EXPECT_EQ(panel::PictureOfButton(id), -1) << id;
    }
    EXPECT_EQ(panel::PictureOfButton(1015), 12);
}

TEST(PanelTables, RadioButtonsMapToLevels) {
    EXPECT_EQ(panel::ResolutionOfRadio(1018), 2);
    EXPECT_EQ(panel::ResolutionOfRadio(1019), 1);
    EXPECT_EQ(panel::ResolutionOfRadio(1020), 0);
    for (int id : {1017, 1021, 1022, 1001, -1}) {
        EXPECT_EQ(panel::ResolutionOfRadio(id), -1) << id;
    }
}

TEST(PanelTables, GunColourOfTheCheckBoxes) {
    EXPECT_EQ(panel::GunColor(false, false, false), 0xFFFFFFu);
    EXPECT_EQ(panel::GunColor(true, true, true), 0xFFFFFFu);
    EXPECT_EQ(panel::GunColor(false, true, false), 0x00FF00u);
    EXPECT_EQ(panel::GunColor(true, false, true), 0xFF00FFu);
    EXPECT_EQ(panel::GunColor(true, false, false), 0x0000FFu);
    EXPECT_EQ(panel::GunColor(false, false, true), 0xFF0000u);
    EXPECT_EQ(panel::GunColor(true, true, false), 0x00FFFFu);
}

TEST(PanelTemplate, ControlsInTemplateOrderWithUniqueIds) {
    std::set<int> ids;
    int pictureButtons = 0;
    for (const auto& control : panel::kControls) {
        if (control.id != panel::kIdStatic) {
            EXPECT_TRUE(ids.insert(control.id).second) << control.id;
        }
        if (control.kind == panel::ControlKind::PictureButton) {
            EXPECT_EQ(control.id, panel::kPictureButtonIds[pictureButtons]);
            EXPECT_EQ(control.text, "TP" + std::to_string(pictureButtons + 1));
            ++pictureButtons;
        }
        // Every control lies inside the 170 x 106 dialog.
        EXPECT_LE(control.x + control.w, panel::kDialogWidthDu) << control.text;
        EXPECT_LE(control.y + control.h, panel::kDialogHeightDu) << control.text;
    }
    EXPECT_EQ(pictureButtons, 13);
    EXPECT_EQ(panel::kControls.front().id, panel::kIdPictureList);
    EXPECT_EQ(panel::kControls.back().text, "Volles Bild");
    EXPECT_EQ(panel::kControls[16].text, "Rot");
    EXPECT_EQ(panel::kControls[17].text, "Grün");
    EXPECT_EQ(panel::kControls[19].text, "Auflösung");
}

TEST(DialogUnits, BaseUnitsFromTheAlphabetWidth) {
    // The classic 8-point dialog font: 52 letters in 312 pixels, 13 high.
    const BaseUnits classic = panel::BaseUnitsOf(312, 13);
    EXPECT_EQ(classic.x, 6);
    EXPECT_EQ(classic.y, 13);
    // Halves round up: 338 / 26 = 13, (13 + 1) / 2 = 7.
    EXPECT_EQ(panel::BaseUnitsOf(338, 15).x, 7);
    EXPECT_EQ(panel::BaseUnitsOf(337, 15).x, 6);
}

TEST(DialogUnits, RectanglesInQuartersAndEighths) {
    const BaseUnits base{6, 13};
    // The dialog: 170 x 106 units.
    EXPECT_EQ(panel::DialogToPixels(0, 0, 170, 106, base), (RECT{0, 0, 255, 172}));
    // "Volles Bild" at (50, 80), 50 x 14: 75, 130, 75 x 23 (22.75 rounds up).
    EXPECT_EQ(panel::DialogToPixels(50, 80, 50, 14, base), (RECT{75, 130, 150, 153}));
    // Picture button TP7 at (10, 50): 15, 81.25 -> 81.
    const RECT tp7 = panel::DialogToPixels(10, 50, 15, 15, base);
    EXPECT_EQ(tp7.left, 15);
    EXPECT_EQ(tp7.top, 81);
    // Another font: base 7 x 15.
    EXPECT_EQ(panel::DialogToPixels(115, 55, 45, 45, BaseUnits{7, 15}),
              (RECT{201, 103, 201 + 79, 103 + 84}));
}

TEST(DialogUnits, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(panel::MulDiv(10, 13, 8), 16);  // 16.25
    EXPECT_EQ(panel::MulDiv(5, 13, 2), 33);   // 32.5
    EXPECT_EQ(panel::MulDiv(-5, 13, 2), -33);
    EXPECT_EQ(panel::MulDiv(0, 13, 8), 0);
}

TEST(Centring, ClientSizeHalvesFromTheScreenCentre) {
    EXPECT_EQ(panel::CentredOrigin(1024, 768, 255, 172), (POINT{512 - 127, 384 - 86}));
    EXPECT_EQ(panel::CentredOrigin(1920, 1080, 298, 172), (POINT{811, 454}));
    // Odd sizes lose their half pixel on both sides.
    EXPECT_EQ(panel::CentredOrigin(1025, 769, 1, 1), (POINT{512, 384}));
    // A panel larger than the screen starts left of and above it.
    EXPECT_EQ(panel::CentredOrigin(200, 100, 300, 300), (POINT{-50, -100}));
}

}  // namespace
