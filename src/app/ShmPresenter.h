// SPDX-License-Identifier: MIT
// The X11 presenter: the pixels live in a shared-memory segment that the X
// server reads directly (MIT-SHM), and a changed rectangle goes to the view's
// window with one XShmPutImage, with no copy through the connection and no
// toolkit buffer in between.
#pragma once

#include <memory>

#include "app/PixelPresenter.h"

typedef struct _GtkWidget GtkWidget;

// nullptr unless the widget is on an X11 display that takes shared-memory
// images (a local server) and its visual is 24-bit XRGB.
std::unique_ptr<IPixelPresenter> CreateShmPresenter(GtkWidget* widget, int width, int height);
