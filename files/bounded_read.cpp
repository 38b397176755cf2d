#include "files/bounded_read.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

ReadOutcome ReadBoundedFile(const std::string& path, size_t cap, std::string& bytes) {
    bytes.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {errno == ENOENT ? ReadOutcome::Missing : ReadOutcome::Failed, errno};
    }
    struct stat info {};
    ReadOutcome outcome{ReadOutcome::Read, 0};
    if (fstat(fd, &info) != 0) {
        outcome = {ReadOutcome::Failed, errno};
    } else if (S_ISDIR(info.st_mode)) {
        outcome = {ReadOutcome::Folder, EISDIR};
    } else if (S_ISREG(info.st_mode) && static_cast<uint64_t>(info.st_size) > cap) {
        outcome = {ReadOutcome::TooLarge, EFBIG};
    }
    // What the file says of its size is only a hint (devices, pipes and
    // growing files say nothing true): the cap holds for what is read.
    char buffer[65536];
    while (outcome.kind == ReadOutcome::Read) {
        const ssize_t n = read(fd, buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            outcome = {ReadOutcome::Failed, errno};
        } else if (n == 0) {
            break;
        } else if (static_cast<size_t>(n) > cap - bytes.size()) {
            outcome = {ReadOutcome::TooLarge, EFBIG};
        } else {
            bytes.append(buffer, static_cast<size_t>(n));
        }
    }
    close(fd);
    if (outcome.kind != ReadOutcome::Read) bytes.clear();
    return outcome;
}

std::string SizeInWords(size_t bytes) {
    if (bytes >= (size_t{1} << 20) && bytes % (size_t{1} << 20) == 0) {
        return std::to_string(bytes >> 20) + " MB";
    }
    if (bytes >= 1024 && bytes % 1024 == 0) return std::to_string(bytes >> 10) + " kB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

std::string ReadProblem(const ReadOutcome& outcome, size_t cap) {
    switch (outcome.kind) {
    case ReadOutcome::Read:
        return "";
    case ReadOutcome::Missing:
        return "does not exist";
    case ReadOutcome::Folder:
        return "is a folder";
    case ReadOutcome::TooLarge:
        return "is larger than " + SizeInWords(cap);
    case ReadOutcome::Failed:
        break;
    }
    return std::strerror(outcome.error);
}

} // namespace files
