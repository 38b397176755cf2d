// Where the tools' tests find the built programs and the committed data, and
// a file's bytes for comparing them.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/source_tree.h"

namespace tool_files {

inline std::filesystem::path ProgramFolder() {
    if (const char* bin = std::getenv("STOMPVALE_BIN")) return bin;
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "bin";
}

using ::SourceFolder;

inline std::filesystem::path MonstersFolder() {
    return SourceFolder() / "data" / "Monsters";
}

inline std::string Bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

} // namespace tool_files
