// SPDX-License-Identifier: MIT
#include "files/StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool FinishStandardOutput(const char* program) {
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    int reason = errno;
    const bool closed = std::fclose(stdout) == 0;
    if (flushed && closed) {
        return true;
    }
    if (flushed) {
        reason = errno;
    }
    // A failed write earlier may have left no reason behind.
    std::fprintf(stderr, "%s: cannot write to standard output: %s\n", program,
                 std::strerror(reason != 0 ? reason : EIO));
    return false;
}
