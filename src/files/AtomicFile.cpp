// SPDX-License-Identifier: MIT
#include "files/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// The system's names of open files (/dev/stdout, /proc/self/fd/N): what they
// stand for is already open and cannot be replaced, only written.
bool NamesAnOpenFile(const std::string& path) {
    return path.starts_with("/dev/") || path.starts_with("/proc/");
}

// Where a file is written to: a symbolic link's target, so that the link stays.
std::string ResolvedTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved) != nullptr) {
            return resolved;
        }
    }
    return path;
}

// The folder part of a path with its slash; empty for a name in the current folder.
std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The permissions a newly created file gets: 0666 less the process's umask.
mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFile::AtomicFile(std::string path) : m_path(std::move(path)) {}

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Fail(const char* what, int code, std::string& error) {
    error = std::string(what) + " " + m_path + ": " + std::strerror(code);
    m_failed = true;
    Discard();
    return false;
}

void AtomicFile::Discard() {
    if (m_fd >= 0) {
        close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.empty()) {
        unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

bool AtomicFile::Open(std::string& error) {
    const std::string target = ResolvedTarget(m_path);
    struct stat info {};
    if (stat(target.c_str(), &info) == 0 && (!S_ISREG(info.st_mode) || NamesAnOpenFile(m_path))) {
        if (S_ISDIR(info.st_mode)) {
            return Fail("cannot write", EISDIR, error);
        }
        m_fd = open(target.c_str(), O_WRONLY | O_CLOEXEC | (S_ISREG(info.st_mode) ? O_TRUNC : 0));
        return m_fd >= 0 || Fail("cannot open", errno, error);
    }
    std::string temp = FolderOf(target) + ".zynmon-XXXXXX";
    m_fd = mkostemp(temp.data(), O_CLOEXEC);
    if (m_fd < 0) {
        return Fail("cannot create a file next to", errno, error);
    }
    m_tempPath = std::move(temp);
    if (fchmod(m_fd, NewFileMode()) != 0) {
        return Fail("cannot set the permissions of", errno, error);
    }
    m_path = target;
    return true;
}

bool AtomicFile::Write(const void* data, std::size_t size, std::string& error) {
    if (m_failed || m_fd < 0) {
        m_failed = true;
        return false;
    }
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = write(m_fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Fail("cannot write", errno, error);
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool AtomicFile::Commit(std::string& error) {
    if (m_failed || m_fd < 0) {
        m_failed = true;
        return false;
    }
    // A device or pipe cannot be synced; its writes were checked one by one.
    if (!m_tempPath.empty() && fsync(m_fd) != 0) {
        return Fail("cannot write", errno, error);
    }
    const int fd = std::exchange(m_fd, -1);
    if (close(fd) != 0) {
        return Fail("cannot write", errno, error);
    }
    if (!m_tempPath.empty()) {
        if (rename(m_tempPath.c_str(), m_path.c_str()) != 0) {
            return Fail("cannot replace", errno, error);
        }
        m_tempPath.clear();
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string& error) {
    AtomicFile file(path);
    return file.Open(error) && file.Write(data, size, error) && file.Commit(error);
}
