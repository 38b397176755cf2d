// A folder of the fuzzer's own under the system's temporary folder, removed
// at exit: for the harnesses whose code under test reads real files.
#pragma once

#include <filesystem>
#include <string>

class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return mPath; }
    // Replaces the file (creating folders) with exactly these bytes.
    void Write(const std::string& relative, const void* data, size_t size) const;

  private:
    std::filesystem::path mPath;
};
