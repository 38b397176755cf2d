// Which of some files were written since the last look, by the kernel's file
// events (inotify) on their folders: an editor that saves in place or writes
// a new file and renames it over the old one is seen alike. Nothing is seen
// where the system has no such events (the browser).
#pragma once

#include <string>
#include <vector>

class PictureWatch {
  public:
    explicit PictureWatch(const std::vector<std::string>& files);
    ~PictureWatch();
    PictureWatch(const PictureWatch&) = delete;
    PictureWatch& operator=(const PictureWatch&) = delete;

    // False when the events cannot be had (the reason on stderr once).
    bool Watching() const { return mFd >= 0; }
    // The watched files written since the last call, each once; never waits.
    std::vector<std::string> Changed();

  private:
    int mFd = -1;
    struct Watched {
        std::string file, name; // as given, and its name in its folder
        int wd = -1;            // its folder's watch
    };
    std::vector<Watched> mWatched;
};
