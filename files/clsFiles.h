// Every file below a folder, subfolders included, breadth-first; handed out by
// a 1-based index as a full path, a bare name or a random pick.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class clsFiles {
  public:
    // Lists the folder once. Within one folder, entries are taken by name
    // ignoring ASCII letter case (byte order breaks ties), so the order is the
    // same on every machine. A missing folder lists nothing. Linked files and
    // folders are followed; a folder reached twice is listed once.
    void Initialize(const std::string& pPath);

    const std::string& Path() const { return mPath; }
    int32_t Count() const { return static_cast<int32_t>(mFiles.size()); }
    // Raise &H80040001 for an index outside 1..Count.
    std::string FileNamePath(int32_t pIndex) const;
    std::string Filename(int32_t pIndex) const;
    // Uniform over the listing; the listing must not be empty.
    std::string FileNamePathRandom() const;

  private:
    void CheckIndex(int32_t pIndex) const;

    std::string mPath;
    std::vector<std::string> mFiles;
};
