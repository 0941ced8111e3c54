// SPDX-License-Identifier: MIT
#include "desktop/CoverCheck.h"

namespace {

std::string Describe(const ScreenRect& r) {
    return std::to_string(r.width) + "x" + std::to_string(r.height) + " at " + std::to_string(r.x) +
           "," + std::to_string(r.y);
}

bool Overlap(const ScreenRect& a, const ScreenRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

}  // namespace

CoverStep DecideCover(const CoverFacts& facts) {
    if (!facts.mapped) {
        // A window manager without a full-screen state may hold the window
        // for the user to place it: the program covers the monitor itself
        // from the start.
        return facts.managed && !facts.offersFullScreen && facts.canCoverItself &&
                       !facts.coversItself
                   ? CoverStep::kFallBack
                   : CoverStep::kKeep;
    }
    // Under a manager that offers the state, a window in the right place
    // without it may still be moved (a floating window the manager has not
    // placed yet).
    const bool stateHolds =
        facts.fullScreen || !facts.managed || !facts.offersFullScreen || facts.coversItself;
    if (facts.window == facts.monitor && stateHolds) {
        return CoverStep::kKeep;
    }
    if (facts.coversItself) {
        return CoverStep::kWarn;
    }
    // A manager that put the window on another monitor altogether places its
    // windows where it likes (sway through XWayland opens each on the output
    // that has the focus): asked again, it would take another window's
    // full-screen place there.
    const bool elsewhere = !Overlap(facts.window, facts.monitor);
    // A manager that keeps taking the place back would take it at every
    // activation of the panel, with the keyboard: the program covers the
    // monitor itself where it can.
    const bool keepsTaking = facts.losses >= kCoverLosses;
    if (facts.managed && facts.offersFullScreen && facts.requests < kCoverRequests &&
        !((elsewhere || keepsTaking) && facts.canCoverItself)) {
        return CoverStep::kAskAgain;
    }
    return facts.canCoverItself ? CoverStep::kFallBack : CoverStep::kWarn;
}

bool PanelNeedsMove(const PanelPlaceFacts& facts) {
    return !facts.leftByUser && facts.moves < kPanelMoves && !Overlap(facts.shown, facts.monitor);
}

std::string DescribeCoverFailure(const CoverFacts& facts) {
    std::string what = "the test window does not cover the monitor (" + Describe(facts.monitor) +
                       "): the desktop put it at " + Describe(facts.window);
    if (!facts.managed) {
        what += ", with no window manager";
    } else if (!facts.offersFullScreen) {
        what += ", and its window manager offers no full-screen state";
    } else {
        what += " after " + std::to_string(facts.requests) + " full-screen requests";
    }
    if (facts.coversItself) {
        what += ", also as a window of its own outside the window manager";
    }
    return what + "; the picture is not shown pixel for pixel";
}
