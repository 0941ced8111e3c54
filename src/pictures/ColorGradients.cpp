#include "testwindow/TestWnd.h"

// Not drawn yet: the screen stays as the render frame left it.
void CTestWnd::DrawColorGradients(CDC* /*pDC*/) {}

COLORREF CTestWnd::HueColor(double /*t*/) const {
    return 0;
}
