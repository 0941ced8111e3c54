// SPDX-License-Identifier: MIT
// The X11 presenter: the pixels live in a shared-memory segment that the X
// server reads directly (MIT-SHM), and a changed rectangle goes to the view's
// window with one XShmPutImage, with no copy through the connection and no
// toolkit buffer in between.
#pragma once

#include <memory>

#include "present/PixelPresenter.h"

// nullptr unless the display is X11 and takes shared-memory images (a local
// server), and the screen's default visual, which the program's windows
// take, is 24-bit XRGB.
std::unique_ptr<IPixelPresenter> CreateShmPresenter(int width, int height);
