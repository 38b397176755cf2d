#include "launcher/picture_watch.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <sys/inotify.h>
#include <unistd.h>
#define STOMPVALE_INOTIFY 1
#endif

namespace fs = std::filesystem;

#ifdef STOMPVALE_INOTIFY

PictureWatch::PictureWatch(const std::vector<std::string>& files)
    : mFd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (mFd < 0) {
        std::fprintf(stderr, "--watch: no file events (%s); pictures are not reloaded\n",
                     std::strerror(errno));
        return;
    }
    for (const std::string& file : files) {
        const fs::path path(file);
        const std::string folder =
            path.parent_path().empty() ? std::string(".") : path.parent_path().string();
        // A folder watched already gives its watch again.
        const int wd = inotify_add_watch(mFd, folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO);
        if (wd < 0) {
            std::fprintf(stderr, "--watch: %s: %s\n", folder.c_str(), std::strerror(errno));
            continue;
        }
        mWatched.push_back({file, path.filename().string(), wd});
    }
}

PictureWatch::~PictureWatch() {
    if (mFd >= 0) close(mFd);
}

std::vector<std::string> PictureWatch::Changed() {
    std::set<std::string> changed;
    alignas(inotify_event) char buffer[16384];
    while (mFd >= 0) {
        const ssize_t got = read(mFd, buffer, sizeof buffer);
        if (got <= 0) break; // EAGAIN: nothing more for now
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->len == 0) continue;
            for (const Watched& watched : mWatched) {
                if (watched.wd == event->wd && watched.name == event->name)
                    changed.insert(watched.file);
            }
        }
    }
    return {changed.begin(), changed.end()};
}

#else

PictureWatch::PictureWatch(const std::vector<std::string>&) {
    std::fprintf(stderr, "--watch: no file events here; pictures are not reloaded\n");
}
PictureWatch::~PictureWatch() = default;
std::vector<std::string> PictureWatch::Changed() {
    return {};
}

#endif
