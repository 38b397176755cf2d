#include "files/atomic_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace files {
namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The reason an existing file may not be replaced, or "" when it may (or
// does not exist). Root passes every permission check, so the mode's write
// bits are asked too: a file made read-only stays as it is.
std::string ReadOnlyProblem(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return "";
    if (S_ISDIR(info.st_mode)) return std::strerror(EISDIR);
    if ((info.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0) {
        return "it is read-only";
    }
    return "";
}

[[noreturn]] void FailWrite(const std::string& what, const std::string& path,
                            const std::string& why) {
    throw std::runtime_error("Could not " + what + " " + path + ": " + why);
}

} // namespace

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string readOnly = ReadOnlyProblem(path);
    if (!readOnly.empty()) FailWrite("write", path, readOnly + "; it was left as it was");
    const std::string temp = path + ".new";
    struct stat old {};
    const mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) FailWrite("create a temporary file for", path, std::strerror(errno));
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            close(fd);
            unlink(temp.c_str());
            FailWrite("write", path, std::strerror(error));
        }
        written += static_cast<size_t>(n);
    }
    fchmod(fd, mode);
    if (fsync(fd) != 0 || close(fd) != 0) {
        const int error = errno;
        unlink(temp.c_str());
        FailWrite("write", path, std::strerror(error));
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        unlink(temp.c_str());
        FailWrite("replace", path, std::strerror(error));
    }
    // The rename itself reaches the disk with the folder.
    const int dirFd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        close(dirFd);
    }
}

std::string ReplaceProblem(const std::string& path) {
    const std::string readOnly = ReadOnlyProblem(path);
    if (!readOnly.empty()) return readOnly;
    const std::string temp = path + ".new";
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return "its folder " + FolderOf(path) + " cannot be written: " + std::strerror(errno);
    close(fd);
    unlink(temp.c_str());
    return "";
}

} // namespace files
