// SPDX-License-Identifier: MIT
// The keys and mouse buttons of the desktop program, as `zynmon --help`
// prints them after its usage. The README's table says the same.
#pragma once

inline constexpr const char* kKeysAndMouseHelp =
    "Keys and mouse on the test picture:\n"
    "  left click               hide the panel and the cursor; with the panel\n"
    "                           hidden, show them again\n"
    "  right click, Space       the picture's next variant (Space: panel hidden)\n"
    "  Right, Down, Page Down   the next picture, after the last the first\n"
    "  Left, Up, Page Up        the previous picture, before the first the last\n"
    "  Home, End                the first, the last picture\n"
    "  Escape, Return           show the panel and the cursor again\n"
    "  (the keys work there while the panel is hidden)\n"
    "In the panel:\n"
    "  Escape, close box        end the program\n"
    "  Return, \"Volles Bild\"    hide the panel and the cursor\n"
    "  Up, Down                 the previous, the next picture of the list\n"
    "During the intro a click or key skips the rest once the logo is full size.\n";
