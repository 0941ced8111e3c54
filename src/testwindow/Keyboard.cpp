// SPDX-License-Identifier: MIT
#include "testwindow/Keyboard.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<TestWndKey, KeyAction>, 11> kKeyActions = {{
    {TestWndKey::kRight, KeyAction::kNextPicture},
    {TestWndKey::kDown, KeyAction::kNextPicture},
    {TestWndKey::kPageDown, KeyAction::kNextPicture},
    {TestWndKey::kLeft, KeyAction::kPreviousPicture},
    {TestWndKey::kUp, KeyAction::kPreviousPicture},
    {TestWndKey::kPageUp, KeyAction::kPreviousPicture},
    {TestWndKey::kHome, KeyAction::kFirstPicture},
    {TestWndKey::kEnd, KeyAction::kLastPicture},
    {TestWndKey::kSpace, KeyAction::kNextVariant},
    {TestWndKey::kEscape, KeyAction::kShowPanel},
    {TestWndKey::kReturn, KeyAction::kShowPanel},
}};

}  // namespace

KeyAction ActionOfKey(TestWndKey key) {
    for (const auto& [k, action] : kKeyActions) {
        if (k == key) {
            return action;
        }
    }
    return KeyAction::kNone;
}

int PictureAfter(KeyAction action, int current, int count) {
    switch (action) {
        case KeyAction::kNextPicture:
            return (current + 1) % count;
        case KeyAction::kPreviousPicture:
            return (current + count - 1) % count;
        case KeyAction::kFirstPicture:
            return 0;
        case KeyAction::kLastPicture:
            return count - 1;
        default:
            return -1;
    }
}
