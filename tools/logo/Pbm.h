// SPDX-License-Identifier: MIT
// Reading a one-bit image in the portable bitmap format (plain P1 or raw P4).
#pragma once

#include <optional>
#include <string>

#include "intro/LogoEncoder.h"

// Black (1) pixels become covered logo units. Nothing, with a one-line
// reason, when the file cannot be read or is not a bitmap of that kind.
std::optional<LogoBitmap> ReadPbm(const std::string& path, std::string& error);
