// SPDX-License-Identifier: MIT
// Writes what a Surface shows as an 8-bit RGB PNG.
#pragma once

#include <string>

class Surface;

// Returns false (with the reason in `error`) when the file cannot be written.
// A file is written whole or not at all: into a temporary file beside it,
// which then takes its name; a failure leaves no partial file and an existing
// one as it was. A path that names no regular file (a pipe, /dev/stdout) is
// written in place.
bool WritePng(const Surface& surface, const std::string& path, std::string& error);
