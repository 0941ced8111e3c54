// SPDX-License-Identifier: MIT
#include "app/PixelPresenter.h"

#include <wx/window.h>

#include "app/ShmPresenter.h"

std::unique_ptr<IPixelPresenter> CreatePixelPresenter(wxWindow& view, int width, int height) {
    // The widget the view draws in (the toolkit's client area of the window).
    return CreateShmPresenter(view.m_wxwindow, width, height);
}
