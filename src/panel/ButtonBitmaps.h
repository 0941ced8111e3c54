// SPDX-License-Identifier: MIT
// The 39 picture-button bitmaps (resources/buttons, written by
// tools/make_button_bitmaps.py) built into the program as XPM data: 18 x 18
// pixels, 16 colours. Include it in one source file only: it defines the data.
#pragma once

#include <array>

#include "panel/PanelTemplate.h"

#include "resources/buttons/TP10D.xpm"
#include "resources/buttons/TP10F.xpm"
#include "resources/buttons/TP10U.xpm"
#include "resources/buttons/TP11D.xpm"
#include "resources/buttons/TP11F.xpm"
#include "resources/buttons/TP11U.xpm"
#include "resources/buttons/TP12D.xpm"
#include "resources/buttons/TP12F.xpm"
#include "resources/buttons/TP12U.xpm"
#include "resources/buttons/TP13D.xpm"
#include "resources/buttons/TP13F.xpm"
#include "resources/buttons/TP13U.xpm"
#include "resources/buttons/TP1D.xpm"
#include "resources/buttons/TP1F.xpm"
#include "resources/buttons/TP1U.xpm"
#include "resources/buttons/TP2D.xpm"
#include "resources/buttons/TP2F.xpm"
#include "resources/buttons/TP2U.xpm"
#include "resources/buttons/TP3D.xpm"
#include "resources/buttons/TP3F.xpm"
#include "resources/buttons/TP3U.xpm"
#include "resources/buttons/TP4D.xpm"
#include "resources/buttons/TP4F.xpm"
#include "resources/buttons/TP4U.xpm"
#include "resources/buttons/TP5D.xpm"
#include "resources/buttons/TP5F.xpm"
#include "resources/buttons/TP5U.xpm"
#include "resources/buttons/TP6D.xpm"
#include "resources/buttons/TP6F.xpm"
#include "resources/buttons/TP6U.xpm"
#include "resources/buttons/TP7D.xpm"
#include "resources/buttons/TP7F.xpm"
#include "resources/buttons/TP7U.xpm"
#include "resources/buttons/TP8D.xpm"
#include "resources/buttons/TP8F.xpm"
#include "resources/buttons/TP8U.xpm"
#include "resources/buttons/TP9D.xpm"
#include "resources/buttons/TP9F.xpm"
#include "resources/buttons/TP9U.xpm"

namespace panel {

// The three states of a picture button, in the order of the table below.
enum class ButtonState { Up, Down, Focused };

// Bitmap of picture i (0..12) in each state: "TPnU", "TPnD", "TPnF".
constexpr auto kButtonBitmaps = std::to_array<std::array<const char* const*, 3>>({
    {TP1U_xpm, TP1D_xpm, TP1F_xpm},
    {TP2U_xpm, TP2D_xpm, TP2F_xpm},
    {TP3U_xpm, TP3D_xpm, TP3F_xpm},
    {TP4U_xpm, TP4D_xpm, TP4F_xpm},
    {TP5U_xpm, TP5D_xpm, TP5F_xpm},
    {TP6U_xpm, TP6D_xpm, TP6F_xpm},
    {TP7U_xpm, TP7D_xpm, TP7F_xpm},
    {TP8U_xpm, TP8D_xpm, TP8F_xpm},
    {TP9U_xpm, TP9D_xpm, TP9F_xpm},
    {TP10U_xpm, TP10D_xpm, TP10F_xpm},
    {TP11U_xpm, TP11D_xpm, TP11F_xpm},
    {TP12U_xpm, TP12D_xpm, TP12F_xpm},
    {TP13U_xpm, TP13D_xpm, TP13F_xpm},
});
static_assert(kButtonBitmaps.size() == kPictureCount);

}  // namespace panel
