// The source tree the tests were built from: committed data and golden images.
#pragma once

#include <cstdlib>
#include <filesystem>

inline std::filesystem::path SourceFolder() {
    if (const char* source = std::getenv("STOMPVALE_SOURCE")) return source;
    // Run by hand: the tree this file lives in.
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
}
