// SPDX-License-Identifier: MIT
// The control panel's layout formulas, without a display. What its controls
// choose is tested through the dialog and the end-to-end run.
#include <gtest/gtest.h>

#include "panel/PanelTemplate.h"

namespace {

// Dialog units: base units from the alphabet's width (halves up), x in
// quarters and y in eighths of them, rounded half away from zero; the panel
// centred on the screen by halving both sizes.
TEST(PanelTemplate, DialogUnitsAndCentring) {
    EXPECT_EQ(panel::BaseUnitsOf(312, 13).x, 6);
    EXPECT_EQ(panel::BaseUnitsOf(338, 15).x, 7);
    EXPECT_EQ(panel::BaseUnitsOf(337, 15).x, 6);
    EXPECT_EQ(panel::DialogToPixels(50, 80, 50, 14, {6, 13}), (RECT{75, 130, 150, 153}));
    EXPECT_EQ(panel::DialogToPixels(115, 55, 45, 45, {7, 15}), (RECT{201, 103, 280, 187}));
    EXPECT_EQ(panel::MulDiv(-5, 13, 2), -33);
    EXPECT_EQ(panel::CentredOrigin(1025, 769, 1, 1), (POINT{512, 384}));
    EXPECT_EQ(panel::CentredOrigin(200, 100, 300, 300), (POINT{-50, -100}));
}

}  // namespace
