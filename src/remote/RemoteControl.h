// SPDX-License-Identifier: MIT
// CRemoteControl: what a remote call does to the test window, with no bus in
// sight. Each change goes the way the panel makes it (through the panel, so
// that its controls follow, and the test window's setters, whose rules hold
// the same), and a bad call changes nothing and says why.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "gdi/Surface.h"
#include "testwindow/TestWnd.h"

// What a script sees of the test window.
struct RemoteState {
    std::uint32_t picture = 0;
    std::uint32_t variant = 0;
    // The guns that light, letters of "rgb" in that order: "rgb" for white.
    std::string guns;
    std::uint32_t resolution = 0;
    bool panelShown = false;

    bool operator==(const RemoteState&) const = default;
};

struct RemoteError {
    enum class Kind {
        kInvalidArgument,
        // The panel is not up yet: the intro still plays.
        kNotReady,
        kFailed,
    };
    Kind kind;
    std::string message;
};
// Empty when the call was done.
using RemoteResult = std::optional<RemoteError>;

class CRemoteControl {
public:
    // store: the pixel store the test window draws into; both outlive this.
    CRemoteControl(CTestWnd& testWnd, Surface& store) : m_testWnd(testWnd), m_store(store) {}

    CTestWnd& TestWnd() { return m_testWnd; }
    RemoteState State() const;

    RemoteResult SetPicture(std::uint32_t picture);
    RemoteResult StepVariant();
    // guns: letters of r, g, b (each once) or "none", as zynmon-render's --guns.
    RemoteResult SetGuns(const std::string& guns);
    RemoteResult SetResolution(std::uint32_t level);
    RemoteResult ShowPanel(bool shown);
    // Writes what the test window shows now, the store's pixels, as
    // zynmon-render writes them; path is absolute.
    RemoteResult Capture(const std::string& path);

private:
    // The panel, or why there is none to go through.
    IPanel* Panel(RemoteResult& result);

    CTestWnd& m_testWnd;
    Surface& m_store;
};

// The guns of a colour as RemoteState shows them.
std::string GunsOfColor(COLORREF color);
