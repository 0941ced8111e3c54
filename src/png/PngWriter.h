// SPDX-License-Identifier: MIT
// Writes what a Surface shows as an 8-bit RGB PNG.
#pragma once

#include <string>

class Surface;

// Returns false (with errno-style reason in `error`) when the file cannot be written.
bool WritePng(const Surface& surface, const std::string& path, std::string& error);
