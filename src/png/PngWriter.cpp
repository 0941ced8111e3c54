// SPDX-License-Identifier: MIT
#include "png/PngWriter.h"

#include <fcntl.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "gdi/Surface.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string Reason(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// The PNG into an open file; false when libpng fails.
bool Encode(const Surface& surface, std::FILE* file) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    std::vector<std::uint8_t> row(static_cast<std::size_t>(surface.Width()) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, surface.Width(), surface.Height(), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < surface.Height(); ++y) {
        surface.RowToRGB8(y, row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

// Encodes into the file and closes it; every write checked.
bool EncodeAndClose(const Surface& surface, std::FILE* file) {
    std::unique_ptr<std::FILE, FileCloser> owned(file);
    const bool encoded = Encode(surface, file) && std::fflush(file) == 0 && !std::ferror(file);
    return std::fclose(owned.release()) == 0 && encoded;
}

bool WriteInPlace(const Surface& surface, const std::string& path, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = Reason("cannot open " + path + " for writing");
        return false;
    }
    if (!EncodeAndClose(surface, file)) {
        error = Reason("cannot write " + path);
        return false;
    }
    return true;
}

}  // namespace

bool WritePng(const Surface& surface, const std::string& path, std::string& error) {
    struct stat target {};
    if (stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode) && !S_ISDIR(target.st_mode)) {
        return WriteInPlace(surface, path, error);
    }
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temporary = folder + "/." + name + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = Reason("cannot write " + path);
        return false;
    }
    // The permissions a new file would get, not mkstemp's owner-only ones.
    const mode_t mask = umask(0);
    umask(mask);
    std::FILE* file = fchmod(fd, 0666 & ~mask) == 0 ? fdopen(fd, "wb") : nullptr;
    if (file == nullptr) {
        close(fd);
    }
    const bool written = file != nullptr && EncodeAndClose(surface, file) &&
                         std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!written) {
        error = Reason("cannot write " + path);
        unlink(temporary.c_str());
    }
    return written;
}
