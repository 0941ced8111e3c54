// SPDX-License-Identifier: MIT
// The self-check of the test window: does the window really cover its
// monitor, and if not, what the program does next. Window managers differ:
// some float a window of fixed size and keep a full-screen request made
// before mapping from taking effect, some leave their bar over it, some offer
// no full-screen state at all. The facts come in as data, so the decision is
// tested without a display.
#pragma once

#include <string>

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const ScreenRect&) const = default;
};

struct CoverFacts {
    // The monitor, and where the window is as the display server says (the
    // same pixels: X11 screen pixels, or the compositor's logical layout).
    ScreenRect monitor;
    ScreenRect window;
    // The window is mapped (before that, `window` means nothing), and the
    // window manager says it shows it full screen.
    bool mapped = false;
    bool fullScreen = false;
    // A window manager runs and offers the full-screen state.
    bool managed = false;
    bool offersFullScreen = false;
    // The program can cover the monitor without the window manager (X11:
    // a window the manager does not manage); already does so.
    bool canCoverItself = false;
    bool coversItself = false;
    // Full-screen requests made since the window was mapped.
    int requests = 0;
    // Times the manager took the covered window out of its place again, each
    // time given back when asked (i3 does so whenever the panel is activated).
    int losses = 0;
};

enum class CoverStep {
    kKeep,      // covered, or nothing to do yet
    kAskAgain,  // ask the desktop again for full screen on that monitor
    kFallBack,  // cover the monitor without the window manager
    kWarn,      // not covered, and nothing left to try: tell the user
};

// Requests after mapping before the program stops asking.
inline constexpr int kCoverRequests = 2;
// Places lost and given back before the program stops asking the manager
// that keeps taking them.
inline constexpr int kCoverLosses = 1;

CoverStep DecideCover(const CoverFacts& facts);

// The panel's place once a window manager has mapped it (each time it is
// shown). A manager may open it on another monitor than the one it belongs
// to, ignoring the place the program asked for: i3 on the output with the
// keyboard (where another monitor's full-screen window then hides it),
// awesome on the one under the pointer. Only that placement is corrected: a
// panel the user has moved off its monitor stays where the user put it.
struct PanelPlaceFacts {
    // The monitor the panel belongs to, and its client area as the display
    // server shows it (the same pixels).
    ScreenRect monitor;
    ScreenRect shown;
    // When last seen in place, the panel lay off its monitor altogether.
    bool leftByUser = false;
    // Moves asked since the panel was mapped.
    int moves = 0;
};

// Moves asked each time the panel maps before the program leaves it where
// the manager keeps it.
inline constexpr int kPanelMoves = 1;

// Whether to ask the manager to move the panel back to the centre of its
// monitor: it shows off that monitor altogether (a frame the manager adds
// around it, or a place near the centre, is the manager's to choose).
bool PanelNeedsMove(const PanelPlaceFacts& facts);

// The line the program writes to stderr, and the warning in the panel, when
// the window does not cover its monitor.
std::string DescribeCoverFailure(const CoverFacts& facts);
