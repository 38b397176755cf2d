// Warnings about a file the player wrote (Controls.ini, History.ini), kept
// readable whatever the file holds: at most a screenful per file, and what
// they quote from it cut short, with control bytes shown escaped.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

class WarningList {
  public:
    static constexpr size_t kMostShown = 20;
    static constexpr size_t kMostQuoted = 80;

    explicit WarningList(std::string fileName) : mFileName(std::move(fileName)) {}

    // "FILE:LINE: what" (line 0: "FILE: what"); past the first kMostShown
    // only counted.
    void Add(int line, const std::string& what);
    size_t Count() const { return mCount; }
    // The warnings kept, then "... and N more" when some were only counted.
    std::vector<std::string> Lines() const;
    void Print(std::FILE* to) const;

  private:
    std::string mFileName;
    std::vector<std::string> mShown;
    size_t mCount = 0;
};

// Text from a file as a warning may show it, in single quotes: bytes below
// 0x20, 0x7F, C1 controls and the bytes of broken UTF-8 as \xNN (the backslash as \\),
// cut after kMostQuoted characters with "..." and the full length.
std::string QuoteForWarning(std::string_view text);

} // namespace platform
