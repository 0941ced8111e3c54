// SPDX-License-Identifier: MIT
// Writes what a Surface shows as an 8-bit RGB PNG.
#pragma once

#include <string>

class Surface;

// Written whole or not at all; false, with the file and the system's reason in
// `error`, when it cannot be.
bool WritePng(const Surface& surface, const std::string& path, std::string& error);
