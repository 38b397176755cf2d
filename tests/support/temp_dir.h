// A fresh folder under the system's temporary folder, removed with the object.
#pragma once

#include <filesystem>
#include <string>

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return mPath; }
    std::string str() const { return mPath.string(); }
    // Writes a file (creating folders) with exactly these bytes.
    void Write(const std::string& relative, const std::string& bytes) const;
    std::string Read(const std::string& relative) const;

  private:
    std::filesystem::path mPath;
};
