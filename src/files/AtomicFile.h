// SPDX-License-Identifier: MIT
// A file the programs write whole or not at all: the bytes go to a temporary file
// in the target's folder, every write and the close are checked, and only then
// is it renamed over the target. On any failure the temporary file is removed
// and an old file at the target stays as it was.
#pragma once

#include <cstddef>
#include <string>

class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Each returns false with a one-line reason in `error` (the target's name
    // and the system's reason); after a failure the others fail too.
    bool Open(std::string& error);
    bool Write(const void* data, std::size_t size, std::string& error);
    // Flushes, closes and renames the file into place.
    bool Commit(std::string& error);

private:
    bool Fail(const char* what, int code, std::string& error);
    void Discard();

    std::string m_path;
    // Where the bytes go: a temporary file, or the target itself where that is
    // not a regular file (a device or a pipe, which cannot be replaced) or is
    // named as an open file (/dev/stdout redirected to a file).
    std::string m_tempPath;
    int m_fd = -1;
    bool m_failed = false;
};

// Writes the bytes to path as an AtomicFile.
bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string& error);
