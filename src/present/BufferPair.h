// SPDX-License-Identifier: MIT
// BufferPair: which of two screen buffers the next frame is drawn into, so
// that the store never writes into a buffer the display still reads.
//
// The buffer last drawn into holds the latest picture. While the display
// holds it, the frame goes into the other one, which first takes from the
// latest the rectangle it lacks (what frames since its own last one drew)
// unless the new frame draws all of that anew. A display that lets go of a
// buffer at once (one that copies it) keeps the store in one buffer, with
// no copy at all.
#pragma once

#include <optional>

#include "gdi/GdiTypes.h"

class BufferPair {
public:
    struct Frame {
        int buffer;
        // To be copied from the other buffer before drawing; empty: none.
        RECT copy;
    };

    // The buffer for a frame that draws rect anew; none while the display
    // holds both.
    std::optional<Frame> Acquire(const RECT& rect);
    // The display took the buffer last acquired / gave the buffer back.
    void Hold() { m_held[m_current] = true; }
    void Release(int buffer) { m_held[buffer] = false; }
    bool Held(int buffer) const { return m_held[buffer]; }
    int Current() const { return m_current; }

private:
    bool m_held[2]{};
    // What each buffer lacks of the latest picture (the current one: nothing).
    RECT m_missing[2]{};
    int m_current = 0;
};
