// SPDX-License-Identifier: MIT
#include "png/PngWriter.h"

#include <png.h>

#include <cstdint>
#include <vector>

#include "files/AtomicFile.h"
#include "gdi/Surface.h"

namespace {

// The PNG is made in memory first, so that a failed write leaves no partial file.
void AppendToBuffer(png_structp png, png_bytep data, png_size_t length) {
    auto* buffer = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    buffer->insert(buffer->end(), data, data + length);
}

void NoFlush(png_structp /*png*/) {}

}  // namespace

bool WritePng(const Surface& surface, const std::string& path, std::string& error) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr) {
        png_destroy_write_struct(&png, &info);
        error = "cannot make " + path + ": out of memory";
        return false;
    }
    std::vector<std::uint8_t> encoded;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(surface.Width()) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        error = "cannot make " + path + ": PNG encoding failed";
        return false;
    }
    png_set_write_fn(png, &encoded, AppendToBuffer, NoFlush);
    png_set_IHDR(png, info, surface.Width(), surface.Height(), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < surface.Height(); ++y) {
        surface.RowToRGB8(y, row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return WriteFileAtomically(path, encoded.data(), encoded.size(), error);
}
