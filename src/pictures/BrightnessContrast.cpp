#include "testwindow/TestWnd.h"

// Not drawn yet: the screen stays as the render frame left it.
void CTestWnd::DrawBrightnessContrast(CDC* /*pDC*/) {}
