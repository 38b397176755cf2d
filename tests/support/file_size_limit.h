// A disk that is full after a few bytes, for as long as the object lives: no
// file this process writes may grow past the limit (pipes are not reached).
#pragma once

#include <csignal>
#include <cstddef>
#include <sys/resource.h>

class FileSizeLimit {
  public:
    explicit FileSizeLimit(size_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN); // a failed write, not the end of the test
        getrlimit(RLIMIT_FSIZE, &mSaved);
        rlimit small = mSaved;
        small.rlim_cur = bytes;
        mSet = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &mSaved); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool Set() const { return mSet; }

  private:
    rlimit mSaved{};
    bool mSet = false;
};
