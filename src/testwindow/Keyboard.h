// SPDX-License-Identifier: MIT
// The keys the test window answers once the panel is hidden, and what each
// does. The desktop program translates its toolkit's key codes into TestWndKey.
#pragma once

enum class TestWndKey {
    kRight,
    kDown,
    kPageDown,
    kLeft,
    kUp,
    kPageUp,
    kHome,
    kEnd,
    kSpace,
    kEscape,
    kReturn,
    // Any key the test window does not use.
    kOther,
};

enum class KeyAction {
    kNone,
    kNextPicture,
    kPreviousPicture,
    kFirstPicture,
    kLastPicture,
    // The same step as a right click.
    kNextVariant,
    // The panel comes back, as with a left click.
    kShowPanel,
};

KeyAction ActionOfKey(TestWndKey key);

// The picture a picture action chooses when `current` of `count` pictures is
// shown; next and previous wrap around. -1 for an action that chooses none.
int PictureAfter(KeyAction action, int current, int count);
