// Checks shared by the test card's tests: rectangles of one colour, the
// bounding box of what an element lit, and a canvas prepared as the render
// frame prepares it, for drawing single elements.
#pragma once

#include <gtest/gtest.h>

#include <array>

#include "gdi/CDC.h"
#include "gdi/Surface.h"
#include "pictures/composite/CompositePicture.h"

std::ostream& operator<<(std::ostream& os, const RECT& r);

// Every pixel of r has colour c.
testing::AssertionResult IsFilled(const Surface& surface, const RECT& r, COLORREF c);
// r has colour c and the one-pixel ring around it colour ring.
testing::AssertionResult IsFieldOn(const Surface& surface, const RECT& r, COLORREF c,
                                   COLORREF ring);
// Bounding box of the pixels inside window that are not black; (0, 0, 0, 0) if none.
RECT LitBounds(const Surface& surface, const RECT& window);

// The bands of the worked screens 1024x768, 800x600 and 640x480.
struct WorkedBands {
    int width;
    int height;
    RECT color;
    RECT grating;
    RECT caption;
    RECT patterns;
    RECT grey;
};
extern const WorkedBands kWorkedBands[3];

// The word rectangles of a label strip: left half's three, then the right half's.
std::array<RECT, 6> LabelWordRects(const CCompositePicture& picture, const RECT& strip);

// A black 32-bit screen with the frame's one-pixel pen and black brush
// selected, and a test card for it (no refresh rate).
struct Canvas {
    Canvas(int width, int height, COLORREF penColor = 0xFFFFFF);
    ~Canvas();

    Surface surface;
    CPen pen;
    CDC dc;
    CCompositePicture picture;
    CPen* pOldPen;
    CBrush* pOldBrush;
};
