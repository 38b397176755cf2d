// A fresh folder under the system's temporary folder, removed with the object:
// for tests, and for tools that must not touch a player's files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace toolkit {

class ScratchFolder {
  public:
    // Named <prefix>-XXXXXX. Throws when it cannot be made.
    explicit ScratchFolder(const std::string& prefix = "stompvale");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return mPath; }
    std::string str() const { return mPath.string(); }
    // Replaces the file (making its folders) with exactly these bytes;
    // throws when it cannot.
    void Write(const std::string& relative, std::string_view bytes) const;
    // The file's bytes; "" when it cannot be read.
    std::string Read(const std::string& relative) const;

  private:
    std::filesystem::path mPath;
};

} // namespace toolkit
